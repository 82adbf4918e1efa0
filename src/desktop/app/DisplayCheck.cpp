#include "desktop/app/DisplayCheck.h"

#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "tank/platform/ProgramNames.h"

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

DisplayProbe::DisplayProbe() {
    if (!usesXPlatform()) {
        ok = true;
        return;
    }
    const char* name = std::getenv("DISPLAY");
    const int attempts = name && *name ? 10 : 1; // without a name there is nothing to wait for
    for (int attempt = 0; attempt < attempts && !display; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display = XOpenDisplay(nullptr);
    }
    ok = display != nullptr;
}

DisplayProbe::~DisplayProbe() {
    release();
}

void DisplayProbe::release() {
    if (display)
        XCloseDisplay(static_cast<Display*>(display));
    display = nullptr;
}

void reportNoDisplay() {
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr, "%s: cannot open display %s\n", kProgramName,
                 name && *name ? name : "(DISPLAY is not set)");
}

} // namespace quelmarine
