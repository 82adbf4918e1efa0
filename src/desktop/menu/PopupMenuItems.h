#pragma once
// The eight items of the view's popup menu, in menu order: text, command id and icon id.
// The texts are the program's own and begin with two blanks.

#include <array>

#include "res/ResourceIds.h"
#include "tank/scene/InteractionModes.h"

namespace quelmarine {

struct PopupMenuEntry {
    const char* text;
    int command;
    int icon;
};

inline constexpr std::array<PopupMenuEntry, 8> kPopupMenuEntries{{
    {"  Feed Fish", kModeFeedFish, kResourceFeedIcon},
    {"  Touch Fish", kModeTouchFish, kResourceTouchIcon},
    {"  Zoom In Fish", kModeZoomInFish, kResourceZoomInIcon},
    {"  Zoom Out Fish", kModeZoomOutFish, kResourceZoomOutIcon},
    {"  Add/Delete Fish", kCommandAddDeleteFish, kResourceAddDeleteIcon},
    {"  Custom Music", kCommandCustomMusic, kResourceMusicIcon},
    {"  Custom Background", kCommandCustomBackground, kResourceBackgroundIcon},
    {"  Exit", kCommandExit, kResourceExitIcon},
}};

} // namespace quelmarine
