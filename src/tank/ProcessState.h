#pragma once
// The values the whole process shares: the settings record and the flags through which the
// dialogs, the sound and the frame tell each other what the user chose. Everything else belongs
// to the object or the host that owns it. Only the user-interface (drawing) thread touches
// these, so nothing here is locked: the thread that reads the user's pictures hands its results
// over through its own queue.

#include <cstdint>

#include "tank/settings/AquariumSettings.h"

namespace quelmarine {

// The settings record: zero-filled at start, filled by the start-up load, read every frame.
inline AquariumSettingsRecord AquariumSettings{};

// The state of the Custom Music dialog's "On/Off" switch: the user's own music is on. Starts
// on, so the ambient loop waits until the dialog has reported.
inline bool musicPlaying = true;
// The ambient loop is stopped and must be started again once own music is off.
inline bool ambientRestart = true;

// The Custom Background dialog's "Use your own image" switch: a user picture replaces the
// built-in backdrop.
inline bool customImageActive = false;

// The play-list row marked as playing, −1 for none.
inline std::int32_t currentPlaylistIndex = -1;

} // namespace quelmarine
