#include "desktop/app/DisplayCheck.h"

#include <X11/Xlib.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "tank/platform/ProgramNames.h"

namespace quelmarine {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The Wayland display's name as Qt's Wayland platform takes it.
std::string waylandDisplayName() {
    const std::string name = environment("WAYLAND_DISPLAY");
    return name.empty() ? "wayland-0" : name;
}

} // namespace

std::vector<std::string> platformsQtTries() {
    std::vector<std::string> platforms;
    const std::string chosen = environment("QT_QPA_PLATFORM");
    if (!chosen.empty()) {
        std::string_view rest(chosen);
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find(';'), rest.size());
            if (end > 0)
                platforms.emplace_back(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        if (!platforms.empty())
            return platforms;
    }
    if (!environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland")
        platforms.emplace_back("wayland");
    platforms.emplace_back("xcb");
    return platforms;
}

bool waylandDisplayReachable() {
    if (!environment("WAYLAND_SOCKET").empty())
        return true; // a connection handed over by the compositor
    const std::string name = waylandDisplayName();
    std::string path = name;
    if (name.front() != '/') {
        const std::string folder = environment("XDG_RUNTIME_DIR");
        if (folder.empty())
            return false;
        path = folder + "/" + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    const bool connected =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return connected;
}

DisplayProbe::DisplayProbe() {
    for (const std::string& platform : platformsQtTries()) {
        if (platform.starts_with("xcb")) {
            triedX = true;
            ok = openX();
        } else if (platform.starts_with("wayland")) {
            triedWayland = true;
            ok = waylandDisplayReachable();
        } else {
            ok = true; // a platform Qt checks on its own
        }
        if (ok)
            return;
    }
}

bool DisplayProbe::openX() {
    const std::string name = environment("DISPLAY");
    const int attempts = name.empty() ? 1 : 10; // without a name there is nothing to wait for
    for (int attempt = 0; attempt < attempts && !display; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display = XOpenDisplay(nullptr);
    }
    return display != nullptr;
}

DisplayProbe::~DisplayProbe() {
    release();
}

void DisplayProbe::release() {
    if (display)
        XCloseDisplay(static_cast<Display*>(display));
    display = nullptr;
}

std::string DisplayProbe::failureMessage() const {
    const std::string x = environment("DISPLAY");
    const std::string wayland = "Wayland display " + waylandDisplayName();
    std::string message = std::string(kProgramName) + ": cannot open ";
    if (!triedX)
        return message + wayland;
    message += "display " + (x.empty() ? std::string("(DISPLAY is not set)") : x);
    return triedWayland ? message + " nor " + wayland : message;
}

} // namespace quelmarine
