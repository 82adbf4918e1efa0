#include "saver/SaverScreens.h"

#include "saver/WaylandScreens.h"
#include "saver/X11Screens.h"

namespace quelmarine::saver {

std::unique_ptr<SaverScreens> openSaverScreens(const SaverOptions& options, std::string& error) {
    // -display names an X display: X11 even inside a Wayland session.
    if (options.display.empty() && waylandDisplayNamed())
        return openWaylandScreens(error);
    return openX11Screens(options, error);
}

} // namespace quelmarine::saver
