// The fish in the real scene: 25 fish of five species drawn into an offscreen 1280 x 1024 frame.
// With QUELMARINE_FISH_SHOTS=<folder> the test also leaves its frames and close-ups there as
// PPM pictures, for looking at the fish.

#include "support/SceneStart.h"
#include "support/OffscreenGl.h"
#include "tank/ProcessState.h"
#include "tank/fish/FishPopulation.h"
#include "tank/scene/Scene.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quelmarine;

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

std::vector<unsigned char> readFrame(int w, int h) {
    std::vector<unsigned char> pixels(std::size_t(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void keepShot(const std::vector<unsigned char>& pixels, int w, int h, const std::string& name) {
    const char* folder = std::getenv("QUELMARINE_FISH_SHOTS");
    if (!folder || !*folder)
        return;
    const std::string path = std::string(folder) + "/" + name + ".ppm";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fprintf(f, "P6\n%d %d\n255\n", w, h);
        for (int y = h - 1; y >= 0; --y)
            std::fwrite(&pixels[std::size_t(y) * w * 3], 1, std::size_t(w) * 3, f);
        std::fclose(f);
    }
}

int differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int count = 0;
    for (std::size_t i = 0; i + 2 < a.size(); i += 3)
        if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) >
            30)
            ++count;
    return count;
}

class FishSceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context";
        saved = AquariumSettings;
    }
    void TearDown() override { AquariumSettings = saved; }

    testsupport::OffscreenGl gl{kWidth, kHeight};
    AquariumSettingsRecord saved{};
};

// The settings load happens inside InitOpenGL; the counts are set after it, as the Fish
// Settings dialog would.
void setCounts(int each) {
    for (int& c : AquariumSettings.fishCount)
        c = each;
}

TEST_F(FishSceneTest, TwentyFiveFishShowTheirSkinsAndMoveBetweenFrames) {
    Scene scene;
    testsupport::startScene(scene, kWidth, kHeight);
    for (GLuint texture : scene.speciesTexture) {
        ASSERT_NE(texture, 0u);
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 512) << "species skin missing or resized";
    }

    setCounts(0);
    scene.RenderFrame(kWidth, kHeight);
    const auto empty = readFrame(kWidth, kHeight);
    keepShot(empty, kWidth, kHeight, "tank-empty");

    setCounts(5);
    scene.RenderFrame(kWidth, kHeight);
    const auto first = readFrame(kWidth, kHeight);
    keepShot(first, kWidth, kHeight, "tank-25-first");
    for (int i = 0; i < 150; ++i)
        scene.RenderFrame(kWidth, kHeight);
    const auto later = readFrame(kWidth, kHeight);
    keepShot(later, kWidth, kHeight, "tank-25-later");

    // A size-6 fish at z -70 covers several thousand pixels of this frame.
    EXPECT_GT(differingPixels(empty, first), 25 * 1500);
    EXPECT_GT(differingPixels(first, later), 10000);
}

// Close-ups: one fish per species with the camera near, from the side and turned.
TEST_F(FishSceneTest, CloseUpsOfEverySpeciesFillTheFrameWithTheSkin) {
    Scene scene;
    testsupport::startScene(scene, kWidth, kHeight);
    constexpr int w = 640, h = 512;
    for (int species = 0; species < kFishSpecies; ++species) {
        for (int view = 0; view < 3; ++view) {
            Fish fish;
            fish.SetBounds(-50, 50, 11, -15, -80, -60);
            fish.targetHeading = fish.heading = fish.turnTarget = view == 2 ? 140.0f : 0.0f;
            fish.turnReached = fish.turnSettled = true;
            for (int& yaw : fish.segmentYaw)
                yaw = int(fish.heading);
            fish.targetPitch = fish.pitch = 0;
            fish.mouthShut = view != 1;
            glViewport(0, 0, w, h);
            glClearColor(0.08f, 0.22f, 0.32f, 1);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(40, double(w) / h, 0.5, 100);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            if (view == 1)
                gluLookAt(-4, 2.5, 6, 0, 0, 0, 0, 1, 0);
            else
                gluLookAt(0, 0, 8, 0, 0, 0, 0, 1, 0);
            GLfloat grey[4] = {0.55f, 0.55f, 0.55f, 1}, bright[4] = {0.7f, 0.7f, 0.7f, 1};
            glLightfv(GL_LIGHT1, GL_AMBIENT, grey);
            glLightfv(GL_LIGHT1, GL_DIFFUSE, bright);
            glEnable(GL_LIGHTING);
            glEnable(GL_DEPTH_TEST);
            glDisable(GL_FOG);
            glBindTexture(GL_TEXTURE_2D, scene.speciesTexture[species]);
            glColor3f(1, 1, 1);
            FishPose pose;
            fish.ComputePose(pose);
            glPushMatrix();
            glRotatef(-90, 1, 0, 0);
            fish.DrawMesh(pose);
            glPopMatrix();
            const auto pixels = readFrame(w, h);
            keepShot(pixels, w, h,
                     "closeup-" + std::to_string(species) + "-" + std::to_string(view));
            int fishPixels = 0;
            for (std::size_t i = 0; i + 2 < pixels.size(); i += 3)
                if (std::abs(pixels[i] - 20) + std::abs(pixels[i + 1] - 56) +
                        std::abs(pixels[i + 2] - 82) >
                    30)
                    ++fishPixels;
            EXPECT_GT(fishPixels, w * h / 10) << "species " << species << " view " << view;
        }
    }
}

} // namespace
