#pragma once
// The eight items of the view's popup menu, in menu order: text, command id and icon id.
// The texts are the program's own and begin with two blanks.

#include <array>

#include "tank/scene/InteractionModes.h"

namespace quelmarine {

struct PopupMenuEntry {
    const char* text;
    int command;
    int icon;
};

inline constexpr std::array<PopupMenuEntry, 8> kPopupMenuEntries{{
    {"  Feed Fish", kModeFeedFish, 133},
    {"  Touch Fish", kModeTouchFish, 160},
    {"  Zoom In Fish", kModeZoomInFish, 134},
    {"  Zoom Out Fish", kModeZoomOutFish, 135},
    {"  Add/Delete Fish", kCommandAddDeleteFish, 180},
    {"  Custom Music", kCommandCustomMusic, 253},
    {"  Custom Background", kCommandCustomBackground, 232},
    {"  Exit", kCommandExit, 175},
}};

} // namespace quelmarine
