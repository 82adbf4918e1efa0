#pragma once
// The values the whole process shares. Only the user-interface (drawing) thread touches them,
// so nothing here is locked: the thread that reads the user's pictures hands its results over
// through its own queue.

#include <cstdint>

#include "tank/settings/AquariumSettings.h"

namespace quelmarine {

// The settings record: zero-filled at start, filled by the start-up load, read every frame.
inline AquariumSettingsRecord AquariumSettings{};

// The state of the Custom Music dialog's "On/Off" switch: the user's own music is on. Starts
// on, so the ambient loop waits until the dialog has reported.
inline bool musicPlaying = true;
// The ambient loop is stopped and must be started again once own music is off.
inline std::int32_t ambientRestart = 1;

// The Custom Background dialog's "Use your own image" switch: a user picture replaces the
// built-in backdrop.
inline bool customImageActive = false;

// Asset files go to a folder of this process's own (see processAssetFolder) rather than the
// shared runtime folder: set by programs that run several copies side by side.
inline bool assetFolderPerProcess = false;

// The play-list row marked as playing, −1 for none.
inline std::int32_t currentPlaylistIndex = -1;

} // namespace quelmarine
