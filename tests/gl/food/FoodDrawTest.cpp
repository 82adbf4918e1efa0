// Drawing food items in an offscreen context: the eaten ones vanish, the live ones swim and
// show the food picture.
#include <GL/gl.h>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "support/OffscreenGl.h"
#include "tank/fish/FoodItem.h"
#include "tank/platform/Folders.h"
#include "tank/scene/Camera.h"

using namespace quelmarine;

namespace {

constexpr int kWidth = 320, kHeight = 240;

class FoodDrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        glViewport(0, 0, kWidth, kHeight);
        SetProjectionAndCamera(kWidth, kHeight);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glClearColor(0, 0, 0, 1);
    }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    testsupport::OffscreenGl gl{kWidth, kHeight};
};

// One frame of an item, as the scene steps and draws it.
void drawItem(FoodItem& item) {
    static FoodFlapStates flaps;
    item.Step(flaps);
    if (item.active)
        item.Draw();
}

} // namespace

TEST_F(FoodDrawTest, LiveItemSwimsAndReportsItsWorldPosition) {
    FoodItem item;
    item.Init(0);
    item.basePos[0] = 4, item.basePos[1] = -3;
    for (int i = 0; i < 50; ++i)
        drawItem(item);
    EXPECT_TRUE(item.active);
    EXPECT_EQ(item.worldPos[0], 4 + item.fish.x);
    EXPECT_EQ(item.worldPos[1], -3 + item.fish.y);
    EXPECT_EQ(item.worldPos[2], -70 + item.fish.z);
    EXPECT_GT(std::fabs(item.fish.x) + std::fabs(item.fish.y) + std::fabs(item.fish.z), 0.5f);
}

TEST_F(FoodDrawTest, EatenItemVanishesAtItsNextDrawAndStaysPut) {
    FoodItem item;
    item.Init(0);
    drawItem(item);
    item.Eat();
    const float before[3] = {item.worldPos[0], item.worldPos[1], item.worldPos[2]};
    drawItem(item);
    EXPECT_FALSE(item.active);
    EXPECT_EQ(item.worldPos[0], before[0]);
    EXPECT_EQ(item.worldPos[1], before[1]);
    EXPECT_EQ(item.worldPos[2], before[2]);
}

TEST_F(FoodDrawTest, FoodPictureIsLoadedOnceAndSharedByDrops) {
    const GLuint picture = LoadFoodPicture(privateRuntimeFolder());
    ASSERT_NE(picture, 0u);
    glBindTexture(GL_TEXTURE_2D, picture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_GT(width, 0) << "the packed food picture has an image";

    std::array<FoodItem, kFoodItemCount> food;
    for (auto& item : food)
        item.Init(picture);
    for (int round = 0; round < 3; ++round) {
        food[2].Eat();
        drawItem(food[2]);
        ASSERT_TRUE(DropFood(food, 0, 0, -70));
    }
    for (const auto& item : food)
        EXPECT_EQ(item.texture, picture);
}

TEST_F(FoodDrawTest, AFoodCreatureIsVisibleInItsPictureColours) {
    const GLuint picture = LoadFoodPicture(privateRuntimeFolder());
    FoodItem item;
    item.Init(picture);
    item.basePos[0] = 0, item.basePos[1] = 0, item.basePos[2] = -20; // close, to fill pixels
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawItem(item);
    glFinish();
    std::vector<unsigned char> pixels(kWidth * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int reddish = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const int r = pixels[3 * i], g = pixels[3 * i + 1], b = pixels[3 * i + 2];
        if (r > 90 && r > g + 30 && r > b + 30)
            ++reddish;
    }
    EXPECT_GT(reddish, 150) << "a red shrimp of some hundreds of pixels";
    EXPECT_LT(reddish, kWidth * kHeight / 10) << "and small";
}
