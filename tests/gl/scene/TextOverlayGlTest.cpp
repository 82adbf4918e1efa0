#include "tank/scene/TextOverlay.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/OffscreenGl.h"
#include "tank/scene/Camera.h"
#include "tank/scene/OutlineFont.h"

namespace quelmarine {
namespace {

constexpr int kWidth = 640, kHeight = 480;

class TextOverlayGl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context (is an X server running?)";
        font.Build();
        ASSERT_NE(font.listBase(), 0u) << "no outline face: " << outlineFontFile();
        glViewport(0, 0, kWidth, kHeight);
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
    }

    // The scene's camera: frustum for a 4:3 screen, eye at z = -10 looking down -z.
    void sceneCamera() { SetProjectionAndCamera(4, 3); }

    // Lit pixels in the rectangle [x0, x1) x [y0, y1), y from the bottom.
    int litPixels(int x0, int y0, int x1, int y1) {
        std::vector<unsigned char> p(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
        int lit = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                lit += p[(y * kWidth + x) * 4] > 128 ? 1 : 0;
        return lit;
    }
    int litPixels() { return litPixels(0, 0, kWidth, kHeight); }

    testsupport::OffscreenGl gl{kWidth, kHeight};
    OutlineFont font;
    std::int32_t frames = 0;
};

TEST_F(TextOverlayGl, GlyphsAreAboutOneUnitHighAndAdvanceTheOrigin) {
    for (char c : std::string("HMiW "))
        ASSERT_TRUE(font.ensureGlyphList(c));
    EXPECT_FALSE(font.ensureGlyphList(255));
    EXPECT_GT(font.metrics('H').blackBoxY, 0.6f);
    EXPECT_LT(font.metrics('H').blackBoxY, 1.0f);
    EXPECT_GT(font.metrics('M').cellIncX, font.metrics('i').cellIncX);
    EXPECT_GT(font.metrics(' ').cellIncX, 0.1f);
    EXPECT_EQ(font.metrics(255).cellIncX, 0.0f);
    // Calling one list moves the model-view origin by the glyph's advance.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glCallList(font.listBase() + 'W');
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[12], font.metrics('W').cellIncX, 1e-4f);
    EXPECT_NEAR(m[0], 1.0f, 1e-5f) << "a glyph list leaves the scale as it was";
}

TEST_F(TextOverlayGl, OverlayDrawsItsLinesInFrontOfTheCameraWhileShown) {
    sceneCamera();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    bool visible = true;
    if (stepOverlayClock(visible, frames))
        DrawOverlay(font);
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "the overlay leaves texturing as it found it";
    // The title runs from x = -5.5 at height 4 … 5, 50 units ahead: right of the centre's left
    // neighbour, above the middle.
    const int title = litPixels(200, 290, 520, 320);
    const int address = litPixels(240, 190, 480, 230);
    EXPECT_GT(title, 200);
    EXPECT_GT(address, 100);
    EXPECT_EQ(litPixels(0, 0, kWidth, 150), 0) << "nothing below the address line";

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    visible = false;
    if (stepOverlayClock(visible, frames))
        DrawOverlay(font);
    EXPECT_EQ(litPixels(), 0);
}

TEST_F(TextOverlayGl, Byte255AndEmptyTextDrawNothing) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 10, -1, 2, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    font.PrintText("\xff\xff\xff");
    font.PrintText("%s", "");
    font.PrintText(nullptr);
    EXPECT_EQ(litPixels(), 0);
    font.PrintText("A%d", 7);
    EXPECT_GT(litPixels(), 500);
}

TEST_F(TextOverlayGl, LongTextIsCutAfter255Characters) {
    ASSERT_TRUE(font.ensureGlyphList('M'));
    const float advance = font.metrics('M').cellIncX;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 320 * advance, -2, 2, -5, 5); // two pixels a glyph
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    font.PrintText("%s", std::string(400, 'M').c_str());
    EXPECT_GT(litPixels(2 * 240, 0, 2 * 254, kHeight), 0);
    EXPECT_EQ(litPixels(2 * 256, 0, kWidth, kHeight), 0);
}

TEST(OutlineFontWithoutFace, MissingFontFileBuildsNothing) {
    testsupport::OffscreenGl gl(16, 16);
    ASSERT_TRUE(gl.ok());
    OutlineFont font;
    EXPECT_FALSE(font.BuildFrom("/nonexistent/font.ttf"));
    EXPECT_FALSE(font.BuildFrom(""));
    EXPECT_EQ(font.listBase(), 0u);
}

} // namespace
} // namespace quelmarine
