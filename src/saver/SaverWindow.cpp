#include "saver/SaverWindow.h"

#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>

#include "saver/XConnection.h"
#include "tank/platform/ProgramNames.h"

namespace quelmarine::saver {

namespace {

constexpr int kOwnWindowWidth = 1024, kOwnWindowHeight = 768;

// X errors (the daemon destroying its window while we draw, for one) end the saver quietly
// instead of through Xlib's default handler. File-level because Xlib's handler is a plain
// function with no place for the window's state; only the drawing thread makes X calls.
bool xErrorSeen = false;

int noteXError(Display* display, XErrorEvent* event) {
    char text[128] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "%s: X error: %s\n", kProgramName, text);
    xErrorSeen = true;
    return 0;
}

} // namespace

Window targetWindow(Display* display, DrawTarget target, unsigned long windowId) {
    switch (target) {
    case DrawTarget::OwnWindow:
        return 0;
    case DrawTarget::WindowId:
        return Window(windowId);
    case DrawTarget::Root:
        break;
    }
    if (const char* named = std::getenv("XSCREENSAVER_WINDOW"))
        if (unsigned long id = parseWindowId(named))
            return Window(id);
    return DefaultRootWindow(display);
}

SaverWindow::~SaverWindow() {
    if (!display)
        return;
    if (context) {
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, context);
    }
    if (ownWindow && drawable)
        XDestroyWindow(display, drawable);
    XCloseDisplay(display);
}

bool SaverWindow::open(const SaverOptions& options, std::string& error) {
    display = openSaverDisplay(options, error);
    if (!display)
        return false;
    XSetErrorHandler(noteXError);
    drawable = targetWindow(display, options.target, options.windowId);
    if (!drawable)
        return makeOwnWindow(error) && attachContext(error);
    return attachContext(error);
}

bool SaverWindow::makeOwnWindow(std::string& error) {
    const int screen = DefaultScreen(display);
    XVisualInfo* visual = chooseSaverVisual(display, screen, error);
    if (!visual)
        return false;
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes set{};
    set.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    set.background_pixel = BlackPixel(display, screen);
    set.border_pixel = 0;
    set.event_mask = StructureNotifyMask;
    drawable = XCreateWindow(display, root, 0, 0, kOwnWindowWidth, kOwnWindowHeight, 0,
                             visual->depth, InputOutput, visual->visual,
                             CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &set);
    XFree(visual);
    ownWindow = true;
    XStoreName(display, drawable, kProgramTitle);
    XClassHint classHint{const_cast<char*>(kProgramName), const_cast<char*>(kProgramTitle)};
    XSetClassHint(display, drawable, &classHint);
    deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, drawable, &deleteWindow, 1);
    XMapWindow(display, drawable);
    return true;
}

bool SaverWindow::attachContext(std::string& error) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, drawable, &attributes) || xErrorSeen) {
        error = "no window 0x" + [&] {
            char hex[32];
            std::snprintf(hex, sizeof hex, "%lx", drawable);
            return std::string(hex);
        }();
        return false;
    }
    windowWidth = attributes.width;
    windowHeight = attributes.height;
    // Size changes of a window that is not ours are seen through its structure events.
    if (!ownWindow)
        XSelectInput(display, drawable, StructureNotifyMask);
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    if (!visual || count == 0) {
        error = "the window's visual is unknown";
        return false;
    }
    int usesGl = 0, doubleBuffer = 0;
    glXGetConfig(display, visual, GLX_USE_GL, &usesGl);
    glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffer);
    if (usesGl)
        context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (!context) {
        error = "the window's visual has no OpenGL";
        return false;
    }
    doubleBuffered = doubleBuffer != 0;
    if (!glXMakeCurrent(display, drawable, context) || (XSync(display, False), xErrorSeen)) {
        error = "cannot draw on the window";
        return false;
    }
    if (doubleBuffered)
        glDrawBuffer(GL_BACK);
    return true;
}

bool SaverWindow::handleEvents(bool& resized) {
    while (XPending(display) > 0) {
        XEvent event{};
        XNextEvent(display, &event);
        if (event.type == ConfigureNotify && event.xconfigure.window == drawable) {
            if (event.xconfigure.width != windowWidth || event.xconfigure.height != windowHeight) {
                windowWidth = event.xconfigure.width;
                windowHeight = event.xconfigure.height;
                resized = true;
            }
        } else if (event.type == DestroyNotify && event.xdestroywindow.window == drawable) {
            return false;
        } else if (event.type == ClientMessage && ownWindow &&
                   Atom(event.xclient.data.l[0]) == deleteWindow) {
            return false;
        }
    }
    return !xErrorSeen;
}

void SaverWindow::present() {
    if (doubleBuffered)
        glXSwapBuffers(display, drawable);
    else
        glFlush();
}

int SaverWindow::connectionFd() const {
    return ConnectionNumber(display);
}

} // namespace quelmarine::saver
