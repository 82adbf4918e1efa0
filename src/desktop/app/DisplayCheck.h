#pragma once
// Without a display to draw on, Qt's platform plugins abort the process with a page of advice.
// The program checks first and ends with one line on standard error instead.
//
// Qt chooses the window system, and the check follows its choice: the platforms named in
// QT_QPA_PLATFORM, else Wayland first when WAYLAND_DISPLAY is set or the session is a Wayland
// one, then X. The program goes on when the first of them that can be reached is found (a
// platform other than these two is left to Qt).
//
// The X check keeps its connection open until Qt has made its own: an X server that has no
// other client resets itself when the last one leaves (Xvfb and a bare Xorg do), and a
// connection made during that reset is dropped, so closing the probe first would make Qt's
// connection fail and abort. A server caught in such a reset (another client has just left) is
// tried again for about a second.

#include <string>
#include <vector>

namespace quelmarine {

// The platforms Qt tries, in its order ("wayland", "xcb", or what QT_QPA_PLATFORM names).
std::vector<std::string> platformsQtTries();

// True when the Wayland display Qt would connect to (WAYLAND_DISPLAY, "wayland-0" by default,
// in XDG_RUNTIME_DIR unless it is a path) accepts a connection.
bool waylandDisplayReachable();

class DisplayProbe {
  public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    // True when a window system Qt will try can be reached.
    bool reachable() const { return ok; }
    // Closes the probe's connection (once the application holds its own).
    void release();
    // The one line printed when none can: "quelmarine: cannot open display <name>", followed by
    // " nor Wayland display <name>" when that was tried too ("quelmarine: cannot open Wayland
    // display <name>" when it alone was).
    std::string failureMessage() const;

  private:
    bool openX();

    void* display = nullptr;
    bool ok = false;
    bool triedX = false, triedWayland = false;
};

} // namespace quelmarine
