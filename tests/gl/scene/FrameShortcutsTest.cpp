// The work a frame leaves out because it cannot show (the colour quad behind a backdrop that
// covers the viewport, mipmap selection for a magnified backdrop) must not change one pixel:
// the same frames drawn with the shortcuts and without them are compared byte for byte, on
// screens where each shortcut applies and where it must not.

#include "support/OffscreenGl.h"
#include "support/SceneStart.h"
#include "tank/ProcessState.h"
#include "tank/scene/Scene.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace quelmarine;

namespace {

struct Screen {
    const char* name;
    int screenWidth, screenHeight, viewportWidth, viewportHeight;
    bool colourQuadLeftOut, backdropMagnified;
};

struct Drawn {
    std::vector<unsigned char> pixels;
    Scene::Shortcuts shortcuts;
};

Drawn drawFrames(const Screen& s, int frames, bool shortcuts) {
    testsupport::writeSettingsFile(testsupport::kFullTankSettings);
    std::srand(1);
    testsupport::OffscreenGl gl(s.viewportWidth, s.viewportHeight);
    if (!gl.ok())
        return {};
    Scene scene;
    scene.leaveOutHiddenWork = shortcuts;
    testsupport::startScene(scene, s.screenWidth, s.screenHeight);
    for (int frame = 0; frame < frames; ++frame)
        scene.RenderFrame(s.viewportWidth, s.viewportHeight);
    Drawn drawn{std::vector<unsigned char>(std::size_t(s.viewportWidth) * s.viewportHeight * 4),
                scene.lastShortcuts};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, s.viewportWidth, s.viewportHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                 drawn.pixels.data());
    return drawn;
}

// The drawing half of the comparison, run by the test below in a new process of this program
// (QUELMARINE_SHORTCUT_DRAW = "screenW screenH viewportW viewportH frames shortcuts outputFd"):
// both drawings then start from a fresh process's state (some of the motion is shared by every
// scene of a process), and no lock of this process's threads is inherited half-held.
TEST(FrameShortcutsDraw, DISABLED_DrawsIntoTheGivenDescriptor) {
    const char* request = std::getenv("QUELMARINE_SHORTCUT_DRAW");
    if (!request)
        GTEST_SKIP() << "run by FrameShortcuts only";
    Screen s{"drawn", 0, 0, 0, 0, false, false};
    int frames = 0, shortcuts = 0, fd = -1;
    ASSERT_EQ(std::sscanf(request, "%d %d %d %d %d %d %d", &s.screenWidth, &s.screenHeight,
                          &s.viewportWidth, &s.viewportHeight, &frames, &shortcuts, &fd),
              7);
    const Drawn drawn = drawFrames(s, frames, shortcuts != 0);
    ASSERT_FALSE(drawn.pixels.empty());
    std::vector<unsigned char> message(sizeof(Scene::Shortcuts));
    std::memcpy(message.data(), &drawn.shortcuts, sizeof drawn.shortcuts);
    message.insert(message.end(), drawn.pixels.begin(), drawn.pixels.end());
    for (std::size_t done = 0; done < message.size();) {
        const ssize_t n = write(fd, message.data() + done, message.size() - done);
        ASSERT_GT(n, 0);
        done += std::size_t(n);
    }
}

Drawn drawFramesInChild(const Screen& s, int frames, bool shortcuts) {
    const std::size_t size = std::size_t(s.viewportWidth) * s.viewportHeight * 4;
    int ends[2];
    if (pipe(ends) != 0)
        return {};
    const std::string request =
        std::to_string(s.screenWidth) + " " + std::to_string(s.screenHeight) + " " +
        std::to_string(s.viewportWidth) + " " + std::to_string(s.viewportHeight) + " " +
        std::to_string(frames) + " " + (shortcuts ? "1" : "0") + " " + std::to_string(ends[1]);
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        setenv("QUELMARINE_SHORTCUT_DRAW", request.c_str(), 1);
        // In the sanitizer build the leak checker's tracer was seen to crash while stopping
        // these short-lived drawing processes (llvmpipe's threads still winding down); the
        // drawing code's leaks are checked by the scene tests that draw in their own process.
        const char* asan = std::getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
        const char* argv[] = {"quelmarine_gl_tests", "--gtest_also_run_disabled_tests",
                              "--gtest_filter=FrameShortcutsDraw.*", nullptr};
        execv("/proc/self/exe", const_cast<char* const*>(argv));
        _exit(127);
    }
    close(ends[1]);
    std::vector<unsigned char> message(sizeof(Scene::Shortcuts) + size);
    std::size_t got = 0;
    for (ssize_t n; got < message.size() &&
                    (n = read(ends[0], message.data() + got, message.size() - got)) > 0;)
        got += std::size_t(n);
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got != message.size() || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ADD_FAILURE() << "the drawing process sent " << got << " of " << message.size()
                      << " bytes and ended with wait status " << status;
        return {};
    }
    Drawn drawn;
    std::memcpy(&drawn.shortcuts, message.data(), sizeof drawn.shortcuts);
    drawn.pixels.assign(message.begin() + sizeof drawn.shortcuts, message.end());
    return drawn;
}

TEST(FrameShortcuts, LeaveThePictureAsItIsOnEveryKindOfScreen) {
    const Screen screens[] = {
        {"wide screen", 1920, 1080, 1920, 1080, true, true},
        {"5:4 screen in a quarter-size viewport", 1280, 1024, 640, 512, true, false},
        {"4:3 screen", 800, 600, 800, 600, true, true},
        {"portrait screen: the backdrop leaves the top and bottom open", 768, 1024, 768, 1024,
         false, true},
        {"small window", 320, 240, 320, 240, true, false},
    };
    for (const Screen& s : screens) {
        SCOPED_TRACE(s.name);
        const Drawn fast = drawFramesInChild(s, 12, true);
        const Drawn plain = drawFramesInChild(s, 12, false);
        ASSERT_FALSE(fast.pixels.empty()) << "no offscreen OpenGL context";
        EXPECT_EQ(fast.shortcuts.colourQuadLeftOut, s.colourQuadLeftOut);
        EXPECT_EQ(fast.shortcuts.backdropMagnified, s.backdropMagnified);
        EXPECT_FALSE(plain.shortcuts.colourQuadLeftOut || plain.shortcuts.backdropMagnified);
        std::size_t differing = 0;
        for (std::size_t i = 0; i < fast.pixels.size(); ++i)
            differing += fast.pixels[i] != plain.pixels[i];
        EXPECT_EQ(differing, 0u) << "bytes that differ with the shortcuts";
    }
}

} // namespace
