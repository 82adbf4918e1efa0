#include "saver/XConnection.h"

#include <GL/glx.h>

#include <cstdlib>

#include "tank/platform/Folders.h"

namespace quelmarine::saver {

namespace {
// The X server is gone (the session ended): nothing is left to draw on.
int connectionLost(Display*) {
    removeProcessAssetFolder();
    std::_Exit(1);
}
} // namespace

Display* openSaverDisplay(const SaverOptions& options, std::string& error) {
    Display* display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (!display) {
        error = "cannot open the display";
        return nullptr;
    }
    XSetIOErrorHandler(connectionLost);
    return display;
}

XVisualInfo* chooseSaverVisual(Display* display, int screen, std::string& error) {
    int attributes[] = {GLX_RGBA,
                        GLX_DOUBLEBUFFER,
                        GLX_DEPTH_SIZE,
                        24,
                        GLX_RED_SIZE,
                        8,
                        GLX_GREEN_SIZE,
                        8,
                        GLX_BLUE_SIZE,
                        8,
                        None};
    XVisualInfo* visual = glXChooseVisual(display, screen, attributes);
    if (!visual)
        error = "no OpenGL visual with a depth buffer";
    return visual;
}

} // namespace quelmarine::saver
