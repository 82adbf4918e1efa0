#include "view/TextOverlay.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/OffscreenGl.h"
#include "view/Camera.h"
#include "view/OutlineFont.h"

namespace quelmarine {
namespace {

constexpr int kWidth = 640, kHeight = 480;

class TextOverlayGl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context (is an X server running?)";
        textListBase = 0;
        BuildOutlineFont();
        ASSERT_NE(textListBase, 0u) << "no outline face: " << outlineFontFile();
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
};

TEST_F(TextOverlayGl, GlyphsAreAboutOneUnitHighAndAdvanceTheOrigin) {
    for (char c : std::string("HMiW "))
        ASSERT_TRUE(ensureGlyphList(c));
    EXPECT_FALSE(ensureGlyphList(255));
    EXPECT_GT(glyphMetrics['H'].blackBoxY, 0.6f);
    EXPECT_LT(glyphMetrics['H'].blackBoxY, 1.0f);
    EXPECT_GT(glyphMetrics['M'].cellIncX, glyphMetrics['i'].cellIncX);
    EXPECT_GT(glyphMetrics[' '].cellIncX, 0.1f);
    EXPECT_EQ(glyphMetrics[255].cellIncX, 0.0f);
    // Calling one list moves the model-view origin by the glyph's advance.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glCallList(textListBase + 'W');
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[12], glyphMetrics['W'].cellIncX, 1e-4f);
    EXPECT_NEAR(m[0], 1.0f, 1e-5f) << "a glyph list leaves the scale as it was";
}

TEST_F(TextOverlayGl, OverlayDrawsItsLinesInFrontOfTheCameraWhileShown) {
    sceneCamera();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    bool visible = true;
    overlayFrames = 0;
    DrawOverlay(visible);
    EXPECT_EQ(overlayFrames, 1);
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
    DrawOverlay(visible);
    EXPECT_EQ(litPixels(), 0);
}

TEST_F(TextOverlayGl, Byte255AndEmptyTextDrawNothing) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 10, -1, 2, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PrintText("\xff\xff\xff");
    PrintText("%s", "");
    PrintText(nullptr);
    EXPECT_EQ(litPixels(), 0);
    PrintText("A%d", 7);
    EXPECT_GT(litPixels(), 500);
}

TEST_F(TextOverlayGl, LongTextIsCutAfter255Characters) {
    ASSERT_TRUE(ensureGlyphList('M'));
    const float advance = glyphMetrics['M'].cellIncX;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 320 * advance, -2, 2, -5, 5); // two pixels a glyph
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PrintText("%s", std::string(400, 'M').c_str());
    EXPECT_GT(litPixels(2 * 240, 0, 2 * 254, kHeight), 0);
    EXPECT_EQ(litPixels(2 * 256, 0, kWidth, kHeight), 0);
}

TEST(OutlineFontWithoutFace, MissingFontFileBuildsNothing) {
    testsupport::OffscreenGl gl(16, 16);
    ASSERT_TRUE(gl.ok());
    EXPECT_FALSE(BuildOutlineFontFrom("/nonexistent/font.ttf"));
    EXPECT_FALSE(BuildOutlineFontFrom(""));
}

} // namespace
} // namespace quelmarine
