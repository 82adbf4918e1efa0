// The display check follows Qt's choice of window system: a Wayland display alone is enough,
// X is the fall-back, and with neither the one line names what was tried.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "desktop/app/DisplayCheck.h"
#include "support/TempDir.h"

namespace quelmarine {
namespace {

// Sets the variables for the length of a test and puts the old values back after it.
class Environment {
  public:
    void set(const char* name, const char* value) {
        if (!saved.count(name)) {
            const char* old = std::getenv(name);
            saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved;
};

// A socket that listens where a compositor's would.
class ListeningSocket {
  public:
    explicit ListeningSocket(const std::string& path) {
        fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        listen(fd, 4);
    }
    ~ListeningSocket() { close(fd); }

  private:
    int fd = -1;
};

TEST(DisplayCheck, QtsOrderOfPlatforms) {
    Environment env;
    env.set("QT_QPA_PLATFORM", nullptr);
    env.set("WAYLAND_DISPLAY", nullptr);
    env.set("XDG_SESSION_TYPE", nullptr);
    EXPECT_EQ(platformsQtTries(), std::vector<std::string>{"xcb"});
    env.set("WAYLAND_DISPLAY", "wayland-1");
    EXPECT_EQ(platformsQtTries(), (std::vector<std::string>{"wayland", "xcb"}))
        << "a Wayland display, no session type: Wayland first";
    env.set("WAYLAND_DISPLAY", nullptr);
    env.set("XDG_SESSION_TYPE", "wayland");
    EXPECT_EQ(platformsQtTries(), (std::vector<std::string>{"wayland", "xcb"}));
    env.set("QT_QPA_PLATFORM", "offscreen;xcb");
    EXPECT_EQ(platformsQtTries(), (std::vector<std::string>{"offscreen", "xcb"}));
}

TEST(DisplayCheck, AWaylandDisplayAloneIsEnough) {
    testsupport::TempDir runtime;
    Environment env;
    env.set("QT_QPA_PLATFORM", nullptr);
    env.set("XDG_SESSION_TYPE", nullptr);
    env.set("WAYLAND_SOCKET", nullptr);
    env.set("DISPLAY", nullptr);
    env.set("XDG_RUNTIME_DIR", runtime.path().c_str());
    env.set("WAYLAND_DISPLAY", "wayland-7");
    {
        DisplayProbe probe;
        EXPECT_FALSE(probe.reachable()) << "nobody listens";
        EXPECT_EQ(probe.failureMessage(), "quelmarine: cannot open display (DISPLAY is not set) "
                                          "nor Wayland display wayland-7");
    }
    ListeningSocket compositor(runtime.file("wayland-7"));
    EXPECT_TRUE(waylandDisplayReachable());
    EXPECT_TRUE(DisplayProbe().reachable()) << "no DISPLAY and no session type needed";
    // A path names the socket itself.
    env.set("XDG_RUNTIME_DIR", nullptr);
    env.set("WAYLAND_DISPLAY", runtime.file("wayland-7").c_str());
    EXPECT_TRUE(DisplayProbe().reachable());
}

TEST(DisplayCheck, XIsTheFallBackAndOtherPlatformsAreLeftToQt) {
    const char* x = std::getenv("DISPLAY");
    ASSERT_TRUE(x && *x) << "the tests run on an X server";
    testsupport::TempDir runtime;
    Environment env;
    env.set("QT_QPA_PLATFORM", nullptr);
    env.set("XDG_RUNTIME_DIR", runtime.path().c_str());
    env.set("WAYLAND_DISPLAY", "wayland-7"); // nobody listens
    EXPECT_TRUE(DisplayProbe().reachable());
    env.set("QT_QPA_PLATFORM", "wayland");
    {
        DisplayProbe probe;
        EXPECT_FALSE(probe.reachable()) << "Wayland asked for and not there";
        EXPECT_EQ(probe.failureMessage(), "quelmarine: cannot open Wayland display wayland-7");
    }
    env.set("QT_QPA_PLATFORM", "offscreen");
    env.set("DISPLAY", nullptr);
    EXPECT_TRUE(DisplayProbe().reachable());
}

} // namespace
} // namespace quelmarine
