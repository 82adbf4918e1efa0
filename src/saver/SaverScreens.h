#pragma once
// What quelmarine-saver draws on: one full-screen surface per monitor, all drawn with one
// OpenGL context. A window back end (X11Screens, WaylandScreens) makes them, follows monitors
// that come and go, and ends the saver when the user is back (EndOnInput).

#include "saver/CommandLine.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quelmarine::saver {

// One monitor's surface: an id that stays with it while it exists, and its size in pixels.
struct ScreenSurface {
    std::uint32_t id = 0;
    int width = 0, height = 0;
};

class SaverScreens {
  public:
    using Clock = std::chrono::steady_clock;
    virtual ~SaverScreens() = default;

    // The surfaces ready to be drawn on now.
    virtual std::vector<ScreenSurface> surfaces() const = 0;
    // Makes the context current on the surface; false when it is gone.
    virtual bool makeCurrent(std::uint32_t id) = 0;
    // Shows the frame just drawn on the surface.
    virtual void present(std::uint32_t id) = 0;
    // The first frames of all surfaces are out: from now on input counts after the settle time.
    virtual void shown(Clock::time_point now) = 0;
    // Why waiting ended.
    enum class Wait {
        Deadline, // the time has come: draw the next frame
        UserBack, // a key, a button or the pointer moved (or the compositor closed the saver)
        Gone      // the display's connection is lost
    };
    // Handles events as they arrive until `deadline` or until the saver should end.
    virtual Wait waitUntil(Clock::time_point deadline) = 0;
};

// The Wayland back end, when a Wayland display is there ($WAYLAND_DISPLAY or $WAYLAND_SOCKET);
// else, or with -display, X11. Null with `error` set when neither can be used.
std::unique_ptr<SaverScreens> openSaverScreens(const SaverOptions& options, std::string& error);

} // namespace quelmarine::saver
