#pragma once
// quelmarine-saver on X11: one borderless window over each monitor (RandR's monitors, so
// `xrandr --setmonitor` splits a screen), above everything else, the pointer hidden, keyboard
// and pointer grabbed; one GLX context draws them all. Monitors that come and go are followed.

#include "saver/SaverScreens.h"

namespace quelmarine::saver {

// Null with `error` set when there is no X display or no OpenGL visual.
std::unique_ptr<SaverScreens> openX11Screens(const SaverOptions& options, std::string& error);

} // namespace quelmarine::saver
