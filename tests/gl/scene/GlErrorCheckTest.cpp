// The checking run's frame check: each OpenGL error is reported once, in the form the soak
// counts, and the full scene (every mouse mode with a click waiting) raises none.

#include "tank/scene/GlErrorCheck.h"
#include "support/OffscreenGl.h"
#include "support/SceneStart.h"
#include "tank/scene/InteractionModes.h"
#include "tank/scene/Scene.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

using namespace quelmarine;

namespace {

// Runs the check into a scratch stream; returns what it wrote and sets `count`.
std::string checkedOutput(long frame, int& count) {
    std::FILE* out = std::tmpfile();
    count = reportGlErrors(frame, out);
    std::string text;
    std::rewind(out);
    for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out))
        text += char(c);
    std::fclose(out);
    return text;
}

TEST(GlErrorCheck, ReportsEachRaisedErrorOnceInTheCountedForm) {
    testsupport::OffscreenGl gl(16, 16);
    ASSERT_TRUE(gl.ok());
    struct Case {
        std::function<void()> raise;
        const char* line;
    };
    const Case cases[] = {
        {[] {}, ""},
        {[] { glEnable(0x1234); }, "quelmarine: GL error 0x0500 GL_INVALID_ENUM after frame 7\n"},
        {[] { glLineWidth(-1.0f); },
         "quelmarine: GL error 0x0501 GL_INVALID_VALUE after frame 7\n"},
        {[] { glEnd(); }, "quelmarine: GL error 0x0502 GL_INVALID_OPERATION after frame 7\n"},
        {[] {
             glMatrixMode(GL_MODELVIEW);
             glPopMatrix();
         },
         "quelmarine: GL error 0x0504 GL_STACK_UNDERFLOW after frame 7\n"},
    };
    for (const Case& c : cases) {
        c.raise();
        int count = -1;
        EXPECT_EQ(checkedOutput(7, count), c.line);
        EXPECT_EQ(count, c.line[0] ? 1 : 0) << c.line;
        // The flag is drained: the next check finds nothing.
        EXPECT_EQ(checkedOutput(8, count), "") << c.line;
        EXPECT_EQ(count, 0);
    }
    EXPECT_STREQ(glErrorName(0x1234), "unknown");
    // Only QUELMARINE_GL_CHECKS=1 turns the check on.
    for (const auto& [value, on] : {std::pair<const char*, bool>{nullptr, false},
                                    {"1", true},
                                    {"0", false},
                                    {"", false},
                                    {"10", false}}) {
        if (value)
            setenv("QUELMARINE_GL_CHECKS", value, 1);
        else
            unsetenv("QUELMARINE_GL_CHECKS");
        EXPECT_EQ(glChecksRequested(), on) << (value ? value : "(unset)");
    }
    unsetenv("QUELMARINE_GL_CHECKS");
}

TEST(GlErrorCheck, TheFullSceneRaisesNoErrorInAnyMouseMode) {
    testsupport::writeSettingsFile(testsupport::kFullTankSettings);
    testsupport::OffscreenGl gl(320, 256);
    ASSERT_TRUE(gl.ok());
    Scene scene;
    testsupport::startScene(scene, 1280, 1024);
    int count = -1;
    EXPECT_EQ(checkedOutput(0, count), "") << "after the initialisation";
    long frame = 0;
    for (int mode : {kModeFeedFish, kModeTouchFish, kModeZoomInFish, kModeZoomOutFish, 0}) {
        scene.mouse.mode = mode;
        for (int i = 0; i < 20; ++i) {
            scene.mouse.mouseX = 40 + 12 * i;
            scene.mouse.mouseY = 30 + 9 * i;
            scene.mouse.pickPending = true;
            scene.mouse.feedPending = true;
            if (i == 10)
                scene.ToggleOverlay();
            scene.RenderFrame(320, 256);
            EXPECT_EQ(checkedOutput(++frame, count), "") << "mode " << mode << ", frame " << i;
        }
    }
}

} // namespace
