#pragma once
// The two list sections of the settings file, "Custom Images" and "Custom Settings": three
// play-mode flags, the on/off switch, a count and one full path per row.

#include "tank/settings/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quelmarine {

// The play modes of both lists, in the order of their buttons.
enum PlayMode : std::int32_t { kRepeatOne = 0, kRepeatAll = 1, kRandom = 2 };

struct ListSectionKeys {
    const char* section;
    const char* random; // flag of "Random "
    const char* cycle;  // flag of "Repeat All"
    const char* repeat; // flag of "Repeat One"
    const char* own;    // the on/off switch
    const char* sum;    // the number of rows
    const char* prefix; // followed by the row index ("%d")
};

extern const ListSectionKeys kCustomImagesKeys;
extern const ListSectionKeys kCustomSettingsKeys;

// Paths are read whole (a file path may be longer than an ordinary value).
inline constexpr std::size_t kPathReadLimit = 4096;

// Both lists look at their player or their pictures every this many milliseconds, shown or
// hidden.
inline constexpr int kListTickMs = 200;

struct ListSection {
    PlayMode mode = kRepeatOne;
    bool on = false;
    std::vector<std::string> paths;
};

// Reads a section from the settings file. A flag counts as set only when it reads exactly 1.
// When no mode flag is set, or several are, the lit modes are applied Random, Repeat All, Repeat
// One, so Repeat One wins over Repeat All and both over Random. At most `maxRows` paths are read.
// The file is read once, however many rows it names.
ListSection readListSection(const ListSectionKeys& keys, std::size_t maxRows);

// The same from a settings text in memory.
ListSection readListSection(const IniDocument& document, const ListSectionKeys& keys,
                            std::size_t maxRows);

// Writes a section into `document` in the keys' order; `extraKey`/`extraValue` (when a key is
// given) go between the switch and the count.
void writeListSection(IniDocument& document, const ListSectionKeys& keys, const ListSection& list,
                      const char* extraKey = nullptr, std::string_view extraValue = {});

// True when `path` can be stored as one value line of the settings file and read back whole.
bool fitsOneIniLine(std::string_view path);

} // namespace quelmarine
