#pragma once
// The user's own background pictures as the settings file keeps them (section "Custom
// Images"): the switch, the play mode, the interval and the list of paths.

#include "tank/settings/IniDocument.h"

#include <string>
#include <vector>

namespace quelmarine {

enum class CycleMode { RepeatOne = 0, RepeatAll = 1, Random = 2 };

inline constexpr int kMaxCustomPictures = 10;

struct CustomImageSettings {
    bool ownImage = false; // "Use your own image"
    CycleMode mode = CycleMode::RepeatOne;
    std::string intervalText = "5"; // seconds, as typed
    std::vector<std::string> paths; // in list order, at most kMaxCustomPictures
};

// Reads the section as the background dialog loads it: a mode flag counts when it reads 1 and
// Repeat One wins over Repeat All, which wins over Random (Repeat One when none is set); an
// empty interval is "5"; "ImageSum" paths "ImageList0" ... are taken, at most ten. Paths are
// read whole (a path is never cut at the 127 characters of an ordinary read).
CustomImageSettings loadCustomImageSettings(const IniDocument& document);

} // namespace quelmarine
