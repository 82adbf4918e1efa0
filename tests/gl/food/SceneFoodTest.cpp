// Live food in the real scene: twenty creatures from the start, a fish eating one (it vanishes
// in that very frame), and a feeding click refilling the lowest free slot. With
// QUELMARINE_FOOD_SHOTS=<folder> the test leaves its frames there as PPM pictures.

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/OffscreenGl.h"
#include "support/SceneStart.h"
#include "tank/ProcessState.h"
#include "tank/scene/Scene.h"

using namespace quelmarine;

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

void keepShot(const std::string& name) {
    const char* folder = std::getenv("QUELMARINE_FOOD_SHOTS");
    if (!folder || !*folder)
        return;
    std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    const std::string path = std::string(folder) + "/" + name + ".ppm";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
        for (int y = kHeight - 1; y >= 0; --y)
            std::fwrite(&pixels[std::size_t(y) * kWidth * 3], 1, std::size_t(kWidth) * 3, f);
        std::fclose(f);
    }
}

class SceneFoodTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context";
        saved = AquariumSettings;
        testsupport::startScene(scene, kWidth, kHeight);
        // One fish only, as the Fish Settings dialog would set it after the start-up load.
        for (int& c : AquariumSettings.fishCount)
            c = 0;
        AquariumSettings.fishCount[0] = 1;
    }
    void TearDown() override { AquariumSettings = saved; }

    // Fish 0 settled at (x, y, z), heading 0 (toward -x), level, not about to wander.
    void placeFish(float x, float y, float z) {
        Fish& f = scene.fishPool[0];
        f.x = x, f.y = y, f.z = z;
        f.heading = f.targetHeading = f.turnTarget = 0;
        f.turnReached = f.turnSettled = true;
        for (int& yaw : f.segmentYaw)
            yaw = 0;
        f.pitch = f.targetPitch = 0;
        f.wanderTimer = 0;
        f.speed = 0.1f;
    }

    testsupport::OffscreenGl gl{kWidth, kHeight};
    AquariumSettingsRecord saved{};
    Scene scene;
};

} // namespace

TEST_F(SceneFoodTest, TwentyCreaturesSwimFromTheStartSharingOnePicture) {
    ASSERT_NE(scene.foodTexture, 0u);
    for (const FoodItem& item : scene.food) {
        EXPECT_TRUE(item.active);
        EXPECT_EQ(item.alive, 1.0f);
        EXPECT_EQ(item.texture, scene.foodTexture);
        EXPECT_EQ(item.basePos[2], -70);
    }
    EXPECT_EQ(scene.mouse.mode, kModeFeedFish);
    placeFish(45, 0, -70);
    for (int i = 0; i < 5; ++i)
        scene.RenderFrame(kWidth, kHeight);
    keepShot("food-start");
    for (const FoodItem& item : scene.food) {
        EXPECT_TRUE(item.active);
        EXPECT_NE(item.worldPos[2], 0) << "drawn, so its world position is known";
    }
}

TEST_F(SceneFoodTest, AnEatenCreatureVanishesInTheFrameItIsEaten) {
    placeFish(45, 0, -70);
    FoodItem& prey = scene.food[7];
    prey.basePos[0] = -3.2f, prey.basePos[1] = 0, prey.basePos[2] = -70;
    prey.fish.x = prey.fish.y = prey.fish.z = 0;
    scene.RenderFrame(kWidth, kHeight);
    keepShot("food-before-eaten");
    ASSERT_TRUE(prey.active);
    ASSERT_EQ(prey.alive, 1.0f);

    // The fish arrives with its nose on the creature: the fish pass eats it and the food pass
    // of the same frame no longer draws it.
    placeFish(prey.worldPos[0] + 3, prey.worldPos[1], prey.worldPos[2]);
    scene.RenderFrame(kWidth, kHeight);
    keepShot("food-eaten");
    EXPECT_EQ(int(prey.alive), 0);
    EXPECT_FALSE(prey.active);
    int active = 0;
    for (const FoodItem& item : scene.food)
        active += item.active;
    EXPECT_EQ(active, kFoodItemCount - 1);
}

TEST_F(SceneFoodTest, FeedingClickRefillsTheLowestFreeSlotNearTheClick) {
    placeFish(45, 0, -70);
    scene.food[12].Eat();
    scene.food[5].Eat();
    scene.RenderFrame(kWidth, kHeight);
    ASSERT_FALSE(scene.food[5].active);
    ASSERT_FALSE(scene.food[12].active);

    scene.mouse.mouseX = kWidth / 2, scene.mouse.mouseY = kHeight / 2;
    scene.mouse.buttonDown = scene.mouse.feedPending = true;
    scene.RenderFrame(kWidth, kHeight);
    EXPECT_FALSE(scene.mouse.feedPending);
    EXPECT_TRUE(scene.food[5].active);
    EXPECT_NEAR(scene.food[5].basePos[0], 0, 1.5);
    EXPECT_NEAR(scene.food[5].basePos[1], -2, 1.5);
    EXPECT_FALSE(scene.food[12].active);
    for (int i = 0; i < 30; ++i)
        scene.RenderFrame(kWidth, kHeight);
    keepShot("food-dropped");
    EXPECT_TRUE(scene.food[5].active);
}

TEST_F(SceneFoodTest, OtherModesDoNotDropFood) {
    placeFish(45, 0, -70);
    scene.food[0].Eat();
    scene.RenderFrame(kWidth, kHeight);
    scene.mouse.mode = kCommandCustomMusic;
    scene.mouse.mouseX = kWidth / 2, scene.mouse.mouseY = kHeight / 2;
    scene.mouse.buttonDown = scene.mouse.pickPending = true;
    for (int i = 0; i < 3; ++i)
        scene.RenderFrame(kWidth, kHeight);
    EXPECT_FALSE(scene.food[0].active);
    EXPECT_TRUE(scene.mouse.pickPending) << "no pass consumes a press outside the click modes";
}
