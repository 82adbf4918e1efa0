#include "saver/XConnection.h"

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

} // namespace quelmarine::saver
