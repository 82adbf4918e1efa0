#include "saver/X11Screens.h"

#include "saver/EndOnInput.h"
#include "saver/XConnection.h"
#include "tank/platform/ProgramNames.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <poll.h>

namespace quelmarine::saver {

namespace {

// X errors (a window of a monitor that just went, for one) are reported and survived instead
// of ending the process through Xlib's default handler. File-level because Xlib's handler is a
// plain function with no place for state; only the drawing thread makes X calls.
int reportXError(Display* display, XErrorEvent* event) {
    char text[128] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "%s: X error: %s\n", kIdleSaverName, text);
    return 0;
}

struct Area {
    Atom name = 0; // RandR's name of the monitor; 0 for the whole screen
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Area&) const = default;
};

class X11Screens final : public SaverScreens {
  public:
    ~X11Screens() override;
    bool open(const SaverOptions& options, std::string& error);

    std::vector<ScreenSurface> surfaces() const override;
    bool makeCurrent(std::uint32_t id) override;
    void present(std::uint32_t id) override;
    void shown(Clock::time_point now) override;
    Wait waitUntil(Clock::time_point deadline) override;

  private:
    struct Monitor {
        std::uint32_t id;
        Area area;
        Window window;
    };
    std::vector<Area> currentAreas() const;
    void followMonitors();
    Window makeWindow(const Area& area);
    void grabInput();
    void handle(const XEvent& event, Clock::time_point now);
    const Monitor* find(std::uint32_t id) const;

    Display* display = nullptr;
    Window root = 0;
    XVisualInfo* visual = nullptr;
    Colormap colormap = 0;
    Cursor hidden = 0;
    GLXContext context = nullptr;
    bool randr = false;
    int randrEventBase = 0;
    std::vector<Monitor> monitors;
    std::uint32_t nextId = 1;
    bool keyboardGrabbed = false, pointerGrabbed = false;
    Clock::time_point nextMonitorCheck{};
    EndOnInput input;
};

X11Screens::~X11Screens() {
    if (!display)
        return;
    if (context) {
        glXMakeCurrent(display, 0, nullptr);
        glXDestroyContext(display, context);
    }
    for (const Monitor& monitor : monitors)
        XDestroyWindow(display, monitor.window);
    if (hidden)
        XFreeCursor(display, hidden);
    if (visual)
        XFree(visual);
    XCloseDisplay(display);
}

bool X11Screens::open(const SaverOptions& options, std::string& error) {
    display = openSaverDisplay(options, error);
    if (!display)
        return false;
    XSetErrorHandler(reportXError);
    const int screen = DefaultScreen(display);
    root = RootWindow(display, screen);
    visual = chooseSaverVisual(display, screen, error);
    if (!visual)
        return false;
    context = glXCreateContext(display, visual, nullptr, True);
    if (!context) {
        error = "cannot make an OpenGL context";
        return false;
    }
    colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    // An empty 1 x 1 cursor: the pointer is hidden over the tank.
    char nothing = 0;
    const Pixmap blank = XCreateBitmapFromData(display, root, &nothing, 1, 1);
    XColor black{};
    hidden = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
    XFreePixmap(display, blank);

    int errorBase = 0, major = 0, minor = 0;
    randr = XRRQueryExtension(display, &randrEventBase, &errorBase) &&
            XRRQueryVersion(display, &major, &minor) && (major > 1 || minor >= 5);
    if (randr)
        XRRSelectInput(display, root,
                       RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask |
                           RROutputChangeNotifyMask);
    XSelectInput(display, root, StructureNotifyMask);
    followMonitors();
    if (monitors.empty()) {
        error = "the screen has no monitor";
        return false;
    }
    return true;
}

std::vector<Area> X11Screens::currentAreas() const {
    std::vector<Area> areas;
    if (randr) {
        int count = 0;
        if (XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count)) {
            for (int i = 0; i < count; ++i)
                if (info[i].width > 0 && info[i].height > 0)
                    areas.push_back(
                        {info[i].name, info[i].x, info[i].y, info[i].width, info[i].height});
            XRRFreeMonitors(info);
        }
    }
    if (areas.empty()) {
        const int screen = DefaultScreen(display);
        areas.push_back({0, 0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)});
    }
    return areas;
}

Window X11Screens::makeWindow(const Area& area) {
    XSetWindowAttributes set{};
    set.colormap = colormap;
    set.background_pixel = BlackPixel(display, DefaultScreen(display));
    set.border_pixel = 0;
    // Above everything, untouched by any window manager, as a screensaver's window is.
    set.override_redirect = True;
    set.cursor = hidden;
    set.event_mask = KeyPressMask | ButtonPressMask | PointerMotionMask | StructureNotifyMask;
    const Window window = XCreateWindow(
        display, root, area.x, area.y, unsigned(area.width), unsigned(area.height), 0,
        visual->depth, InputOutput, visual->visual,
        CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWCursor | CWEventMask,
        &set);
    XStoreName(display, window, kProgramTitle);
    XClassHint classHint{const_cast<char*>(kIdleSaverName), const_cast<char*>(kProgramTitle)};
    XSetClassHint(display, window, &classHint);
    XMapRaised(display, window);
    return window;
}

// Matches the monitors there are now with the windows there are: a monitor that went takes
// its window along, a new one gets one, and one that moved or changed size moves its window.
void X11Screens::followMonitors() {
    const std::vector<Area> areas = currentAreas();
    std::vector<Monitor> kept;
    std::vector<bool> taken(areas.size(), false);
    for (const Monitor& monitor : monitors) {
        auto same = [&](const Area& area) { return area.name == monitor.area.name; };
        auto match = std::find_if(areas.begin(), areas.end(), same);
        const std::size_t index = std::size_t(match - areas.begin());
        if (match == areas.end() || taken[index]) {
            XDestroyWindow(display, monitor.window);
            keyboardGrabbed = pointerGrabbed = false; // the grab may have gone with it
            continue;
        }
        taken[index] = true;
        Monitor moved = monitor;
        if (!(*match == monitor.area)) {
            moved.area = *match;
            XMoveResizeWindow(display, moved.window, match->x, match->y, unsigned(match->width),
                              unsigned(match->height));
        }
        kept.push_back(moved);
    }
    for (std::size_t i = 0; i < areas.size(); ++i)
        if (!taken[i])
            kept.push_back({nextId++, areas[i], makeWindow(areas[i])});
    monitors = std::move(kept);
    XFlush(display);
}

// The saver takes the keyboard and the pointer (as a screensaver does) so that nothing reaches
// the programs below; until the grabs succeed (another program may hold one), the windows'
// own input still ends it.
void X11Screens::grabInput() {
    if (monitors.empty())
        return;
    const Window window = monitors.front().window;
    if (!keyboardGrabbed)
        keyboardGrabbed = XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync,
                                        CurrentTime) == GrabSuccess;
    if (!pointerGrabbed)
        pointerGrabbed =
            XGrabPointer(display, window, False, ButtonPressMask | PointerMotionMask, GrabModeAsync,
                         GrabModeAsync, 0, hidden, CurrentTime) == GrabSuccess;
}

std::vector<ScreenSurface> X11Screens::surfaces() const {
    std::vector<ScreenSurface> list;
    for (const Monitor& monitor : monitors)
        list.push_back({monitor.id, monitor.area.width, monitor.area.height});
    return list;
}

const X11Screens::Monitor* X11Screens::find(std::uint32_t id) const {
    for (const Monitor& monitor : monitors)
        if (monitor.id == id)
            return &monitor;
    return nullptr;
}

bool X11Screens::makeCurrent(std::uint32_t id) {
    const Monitor* monitor = find(id);
    return monitor && glXMakeCurrent(display, monitor->window, context);
}

void X11Screens::present(std::uint32_t id) {
    if (const Monitor* monitor = find(id))
        glXSwapBuffers(display, monitor->window);
}

void X11Screens::shown(Clock::time_point now) {
    input.screensShown(now);
    // Where the pointer rests when the tank appears.
    Window rootReturn = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    if (XQueryPointer(display, root, &rootReturn, &child, &x, &y, &windowX, &windowY, &buttons))
        input.pointerAt(0, x, y, now);
}

void X11Screens::handle(const XEvent& event, Clock::time_point now) {
    switch (event.type) {
    case KeyPress:
    case ButtonPress:
        input.pressed(now);
        return;
    case MotionNotify:
        input.pointerAt(0, event.xmotion.x_root, event.xmotion.y_root, now);
        return;
    case ConfigureNotify:
        if (event.xconfigure.window == root)
            nextMonitorCheck = {};
        return;
    default:
        break;
    }
    if (randr && (event.type == randrEventBase + RRScreenChangeNotify ||
                  event.type == randrEventBase + RRNotify)) {
        XRRUpdateConfiguration(const_cast<XEvent*>(&event));
        nextMonitorCheck = {};
    }
}

SaverScreens::Wait X11Screens::waitUntil(Clock::time_point deadline) {
    for (;;) {
        grabInput();
        while (XPending(display) > 0) {
            XEvent event{};
            XNextEvent(display, &event);
            handle(event, Clock::now());
        }
        if (input.userBack())
            return Wait::UserBack;
        // RandR tells of most changes; a look once a second catches monitors set by hand too.
        const auto now = Clock::now();
        if (now >= nextMonitorCheck) {
            followMonitors();
            nextMonitorCheck = now + std::chrono::seconds(1);
        }
        if (now >= deadline)
            return Wait::Deadline;
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::min(deadline, nextMonitorCheck) - now);
        const timespec timeout{time_t(left.count() / 1000000000), long(left.count() % 1000000000)};
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        ppoll(&connection, 1, &timeout, nullptr);
    }
}

} // namespace

std::unique_ptr<SaverScreens> openX11Screens(const SaverOptions& options, std::string& error) {
    auto screens = std::make_unique<X11Screens>();
    if (!screens->open(options, error))
        return nullptr;
    return screens;
}

} // namespace quelmarine::saver
