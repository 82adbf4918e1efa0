// The user's picture on the backdrop: a texture made from decoded levels replaces the built-in
// picture while `customImageActive` is set, and the built-in one comes back when it is not.
#include "support/OffscreenGl.h"
#include "support/SceneStart.h"
#include "tank/ProcessState.h"
#include "tank/assets/PictureTexture.h"
#include "tank/environment/BackgroundPictures.h"
#include "tank/scene/Scene.h"

#include <gtest/gtest.h>
#include <vector>

using namespace quelmarine;

namespace {

constexpr int kWidth = 320, kHeight = 240;

// Mean red, green and blue of the frame's upper middle, where only the backdrop shows.
void meanColour(double rgb[3]) {
    std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    rgb[0] = rgb[1] = rgb[2] = 0;
    int n = 0;
    for (int y = kHeight / 2; y < kHeight * 7 / 8; ++y)
        for (int x = kWidth / 4; x < kWidth * 3 / 4; ++x, ++n)
            for (int c = 0; c < 3; ++c)
                rgb[c] += pixels[(std::size_t(y) * kWidth + x) * 3 + c];
    for (int c = 0; c < 3; ++c)
        rgb[c] /= n;
}

TEST(CustomBackdropGl, TheUsersPictureReplacesTheBuiltInOne) {
    testsupport::OffscreenGl gl(kWidth, kHeight);
    ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context";
    const AquariumSettingsRecord savedSettings = AquariumSettings;
    Scene scene;
    scene.overlayVisible = false;
    testsupport::startScene(scene, kWidth, kHeight, testsupport::SettingsAccess::ReadOnly);
    for (int c : {0, 1, 2, 3, 4})
        AquariumSettings.fishCount[c] = 0;

    DecodedPicture red;
    red.width = 64;
    red.height = 32;
    red.rgba.assign(std::size_t(64) * 32 * 4, 0);
    for (std::size_t i = 0; i < red.rgba.size(); i += 4) {
        red.rgba[i] = 230;
        red.rgba[i + 3] = 255;
    }
    fitPictureToTexture(red, 2048);
    const std::int32_t picture = uploadPictureTexture(red);
    ASSERT_NE(picture, 0);

    double builtIn[3], custom[3], back[3];
    customImageActive = false;
    scene.RenderFrame(kWidth, kHeight, shownUserBackdrop(picture));
    scene.RenderFrame(kWidth, kHeight, shownUserBackdrop(picture));
    meanColour(builtIn);
    customImageActive = true;
    scene.RenderFrame(kWidth, kHeight, shownUserBackdrop(picture));
    meanColour(custom);
    customImageActive = false;
    scene.RenderFrame(kWidth, kHeight, shownUserBackdrop(picture));
    meanColour(back);

    EXPECT_GT(builtIn[2], builtIn[0]) << "the built-in water is blue";
    EXPECT_GT(custom[0], 120);
    EXPECT_GT(custom[0], custom[2] + 60) << "the user's red picture shows";
    EXPECT_NEAR(back[0], builtIn[0], 25) << "the built-in picture comes back";
    EXPECT_NEAR(back[2], builtIn[2], 25);

    // A window that becomes much wider widens the tank so that the backdrop still covers it.
    const float right = scene.tank().tankRight;
    scene.Resize(kWidth * 3, kHeight);
    EXPECT_EQ(scene.screenWidth, kWidth * 3);
    EXPECT_GT(scene.tank().tankRight, right + 50);
    customImageActive = false;
    AquariumSettings = savedSettings;
}

} // namespace
