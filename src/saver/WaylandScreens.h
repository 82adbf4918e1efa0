#pragma once
// quelmarine-saver on Wayland: one full-screen xdg_toplevel on each output, drawn with one EGL
// context (desktop OpenGL) through wayland-egl; the pointer hidden over them. Outputs that come
// and go are followed.

#include "saver/SaverScreens.h"

namespace quelmarine::saver {

// True when a Wayland display is named in the environment.
bool waylandDisplayNamed();

// Null with `error` set when the display cannot be used (no connection, no xdg-shell, no EGL).
std::unique_ptr<SaverScreens> openWaylandScreens(std::string& error);

} // namespace quelmarine::saver
