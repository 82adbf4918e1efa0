#include "desktop/app/DisplayCheck.h"

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace quelmarine {

namespace {

bool usesXPlatform() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return std::string_view(platform).starts_with("xcb");
    // Qt picks Wayland in a Wayland session with a Wayland display; X otherwise.
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(session && std::string_view(session) == "wayland" && wayland && *wayland);
}

} // namespace

bool displayReachable() {
    if (!usesXPlatform())
        return true;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

void reportNoDisplay() {
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr, "quelmarine: cannot open display %s\n",
                 name && *name ? name : "(DISPLAY is not set)");
}

} // namespace quelmarine
