// Picking in an offscreen context with the frame's camera: world points under the mouse, the
// feeding pass and the fish picking pass.
#include <GL/gl.h>
#include <GL/glu.h>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

#include "support/OffscreenGl.h"
#include "tank/scene/Camera.h"
#include "tank/scene/Picking.h"

using namespace quelmarine;

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr float kStripZ = -69; // the grid's z plus the strips' own z of 1

class PickingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        tank = ComputeTankBox(kWidth, kHeight);
        picking.PlaceGrid(tank);
        glViewport(0, 0, kWidth, kHeight);
        SetProjectionAndCamera(kWidth, kHeight);
        for (auto& item : food)
            item.Init(0);
    }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    // The mouse position (client pixels, y down) over world point (x, y, z), seen through the
    // picks' 45-degree projection.
    static void mouseOver(float x, float y, float z, int& mouseX, int& mouseY) {
        GLdouble model[16], projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPerspective(45, double(kWidth) / kHeight, 0.1, 1000);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLdouble wx, wy, wz;
        gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
        mouseX = int(wx + 0.5);
        mouseY = kHeight - int(wy + 0.5);
    }

    static Fish settledFish(float x, float y, float z) {
        Fish f;
        f.SetBounds(-50, 50, 11, -15, -80, -60);
        f.x = x, f.y = y, f.z = z;
        f.heading = f.targetHeading = f.turnTarget = 0;
        f.turnReached = f.turnSettled = true;
        f.pitch = f.targetPitch = 0;
        f.wanderTimer = 0;
        return f;
    }

    testsupport::OffscreenGl gl{kWidth, kHeight};
    TankBox tank;
    Picking picking;
    MouseState mouse;
    std::array<FoodItem, kFoodItemCount> food;
};

} // namespace

TEST_F(PickingTest, GridStartsAtTheTankEdges) {
    EXPECT_EQ(picking.pickColumns[0].x, tank.tankLeft);
    EXPECT_FLOAT_EQ(picking.pickColumns[100].x, tank.tankLeft + 100 * 0.990099f);
    EXPECT_EQ(picking.pickColumns[50].z, -70);
    EXPECT_EQ(picking.pickRows[0].y, tank.tankBottom);
    EXPECT_FLOAT_EQ(picking.pickRows[50].y, tank.tankBottom + 50 * 42 * 0.02f);
}

TEST_F(PickingTest, ClickAtTheScreenCentreIsNearTheTankMiddle) {
    const float x = picking.PickWorldX(kWidth / 2, kHeight / 2);
    const float y = picking.PickWorldY(kWidth / 2, kHeight / 2);
    EXPECT_NEAR(x, 0, 1.5);
    EXPECT_NEAR(y, 0, 1.5);
}

TEST_F(PickingTest, ClickFindsTheWorldPointUnderTheMouse) {
    for (auto [wx, wy] :
         {std::pair{-20.0f, 10.0f}, std::pair{30.0f, -15.0f}, std::pair{5.0f, 18.0f}}) {
        int mx, my;
        mouseOver(wx, wy, kStripZ, mx, my);
        EXPECT_NEAR(picking.PickWorldX(mx, my), wx, 1.4) << wx;
        EXPECT_NEAR(picking.PickWorldY(mx, my), wy, 1.4) << wy;
    }
}

TEST_F(PickingTest, ClickAboveEveryRowGivesZero) {
    int mx, my;
    mouseOver(3, tank.tankTop + 3, kStripZ, mx, my);
    EXPECT_EQ(picking.PickWorldY(mx, my), 0.0f);
    EXPECT_NEAR(picking.PickWorldX(mx, my), 3, 1.4);
}

TEST_F(PickingTest, GridSwaysHalfAUnitPerFrameWithinFiveUnits) {
    float lowest = 1e9, highest = -1e9;
    for (int frame = 0; frame < 100; ++frame) {
        const float before = picking.pickColumns[0].x;
        picking.SwayGrid(tank);
        EXPECT_FLOAT_EQ(std::fabs(picking.pickColumns[0].x - before), 0.5f);
        EXPECT_FLOAT_EQ(picking.pickColumns[100].x - picking.pickColumns[0].x, 100 * 0.990099f);
        lowest = std::min(lowest, picking.pickColumns[0].x);
        highest = std::max(highest, picking.pickColumns[0].x);
    }
    EXPECT_NEAR(lowest, tank.tankLeft - 5.5f, 0.01);
    EXPECT_NEAR(highest, tank.tankLeft + 5.5f, 0.01);
}

TEST_F(PickingTest, FeedingClickWithAllItemsActiveIsConsumedWithoutEffect) {
    std::array<float, kFoodItemCount> before{};
    for (int i = 0; i < kFoodItemCount; ++i)
        before[i] = food[i].basePos[0];
    mouse.mouseX = kWidth / 2, mouse.mouseY = kHeight / 2;
    mouse.feedPending = mouse.buttonDown = true;
    picking.FeedingPass(mouse, tank, food);
    EXPECT_FALSE(mouse.feedPending);
    for (int i = 0; i < kFoodItemCount; ++i)
        EXPECT_EQ(food[i].basePos[0], before[i]);
}

TEST_F(PickingTest, FeedingClickDropsTheLowestFreeItemUnderTheMouse) {
    food[3].active = food[8].active = false;
    food[3].Eat();
    int mx, my;
    mouseOver(-12, 6, kStripZ, mx, my);
    mouse.mouseX = mx, mouse.mouseY = my;
    mouse.feedPending = true;
    picking.FeedingPass(mouse, tank, food);
    EXPECT_FALSE(mouse.feedPending);
    EXPECT_TRUE(food[3].active);
    EXPECT_EQ(food[3].alive, 1.0f);
    EXPECT_NEAR(food[3].basePos[0], -12, 1.4);
    EXPECT_NEAR(food[3].basePos[1], 6 - 2, 1.4);
    EXPECT_EQ(food[3].basePos[2], -70);
    EXPECT_FALSE(food[8].active);

    // Without a new click nothing more is dropped.
    picking.FeedingPass(mouse, tank, food);
    EXPECT_FALSE(food[8].active);
}

TEST_F(PickingTest, FeedingClickBelowTheTankIsFoundOverSeveralFrames) {
    food[0].active = false;
    // Rows swaying down put the row under the mouse just below the tank's floor in the first
    // frame: y is not accepted then, while x is.
    picking.gridSwayY = false;
    const float firstFrameRow = tank.tankBottom - 0.1f;
    const float y0 = firstFrameRow - 4 * 42 * 0.02f + 0.5f;
    for (int k = 0; k < kPickRowCount; ++k)
        picking.pickRows[k].y = y0 + float(k) * 42 * 0.02f;
    int mx, my;
    mouseOver(10, tank.tankBottom + 1.0f, kStripZ, mx, my);
    mouse.mouseX = mx, mouse.mouseY = my;
    mouse.feedPending = true;
    picking.FeedingPass(mouse, tank, food);
    ASSERT_TRUE(mouse.feedPending);
    EXPECT_TRUE(picking.haveClickX);
    EXPECT_FALSE(picking.haveClickY);
    EXPECT_FALSE(food[0].active);
    const float foundX = picking.clickX;

    // The x found stays stored while the mouse moves on; y is found in a later frame.
    int otherX, unused;
    mouseOver(-25, tank.tankBottom + 1.0f, kStripZ, otherX, unused);
    mouse.mouseX = otherX;
    int frames = 1;
    while (mouse.feedPending && frames < 40) {
        picking.FeedingPass(mouse, tank, food);
        ++frames;
    }
    EXPECT_GT(frames, 1);
    ASSERT_FALSE(mouse.feedPending);
    EXPECT_TRUE(food[0].active);
    EXPECT_EQ(food[0].basePos[0], foundX);
    EXPECT_GE(food[0].basePos[1], tank.tankBottom - 2);
    EXPECT_NEAR(food[0].basePos[1], tank.tankBottom + 1.0f - 2, 1.4);
}

TEST_F(PickingTest, FishPickTakesTheLowestIndexNotTheNearest) {
    std::array<Fish, 3> fish{settledFish(0, 0, -75), settledFish(0, 0, -65),
                             settledFish(30, 0, -70)};
    mouse.mode = kModeZoomInFish;
    mouse.mouseX = kWidth / 2, mouse.mouseY = kHeight / 2;
    mouse.pickPending = true;
    EXPECT_EQ(picking.FishPickingPass(mouse, fish, 3), 0);
    EXPECT_EQ(fish[0].size, 8);
    EXPECT_EQ(fish[1].size, 6);

    fish[0].x = -30;
    mouse.pickPending = true;
    EXPECT_EQ(picking.FishPickingPass(mouse, fish, 3), 1);
    EXPECT_EQ(fish[1].size, 8);
}

TEST_F(PickingTest, FishBeyondTheCountInUseAreNotTried) {
    std::array<Fish, 2> fish{settledFish(-30, 0, -70), settledFish(0, 0, -70)};
    mouse.mode = kModeZoomInFish;
    mouse.mouseX = kWidth / 2, mouse.mouseY = kHeight / 2;
    mouse.pickPending = true;
    EXPECT_EQ(picking.FishPickingPass(mouse, fish, 1), -1);
    EXPECT_EQ(fish[1].size, 6);
}

TEST_F(PickingTest, ZoomClicksGrowAndShrinkWithinTheLimits) {
    std::array<Fish, 1> fish{settledFish(0, 0, -70)};
    mouse.mouseX = kWidth / 2, mouse.mouseY = kHeight / 2;
    mouse.mode = kModeZoomInFish;
    for (int expected : {8, 9, 9}) {
        mouse.pickPending = true;
        ASSERT_EQ(picking.FishPickingPass(mouse, fish, 1), 0);
        EXPECT_EQ(fish[0].size, expected);
    }
    fish[0].size = 6;
    mouse.mode = kModeZoomOutFish;
    for (int expected : {4, 3, 3}) {
        mouse.pickPending = true;
        ASSERT_EQ(picking.FishPickingPass(mouse, fish, 1), 0);
        EXPECT_EQ(fish[0].size, expected);
    }
}

TEST_F(PickingTest, TouchActsOncePerPress) {
    std::array<Fish, 1> fish{settledFish(0, 0, -70)};
    mouse.mode = kModeTouchFish;
    mouse.mouseX = kWidth / 2, mouse.mouseY = kHeight / 2;
    mouse.pickPending = mouse.buttonDown = true;
    ASSERT_EQ(picking.FishPickingPass(mouse, fish, 1), 0);
    EXPECT_FALSE(mouse.pickPending);
    EXPECT_TRUE(mouse.buttonDown) << "the button is still held: its cursor stays";
    EXPECT_EQ(fish[0].targetHeading, -90) << "a dodge: a quarter turn";

    // The button is still held: later frames do nothing, even to a fish that could turn again.
    fish[0].heading = fish[0].turnTarget = fish[0].targetHeading;
    fish[0].turnReached = fish[0].turnSettled = true;
    for (int frame = 0; frame < 5; ++frame)
        EXPECT_EQ(picking.FishPickingPass(mouse, fish, 1), -1);
    EXPECT_EQ(fish[0].targetHeading, -90);
}

TEST_F(PickingTest, TouchOutsideTheDepthBandDoesNotTurn) {
    std::array<Fish, 1> fish{settledFish(0, 0, -75)};
    mouse.mode = kModeTouchFish;
    mouse.mouseX = kWidth / 2, mouse.mouseY = kHeight / 2;
    mouse.pickPending = true;
    // Behind the band (the pick steps the fish before the touch, so -75 itself cannot be hit
    // exactly).
    fish[0].z = -95;
    mouseOver(0, 0, -95, mouse.mouseX, mouse.mouseY);
    ASSERT_EQ(picking.FishPickingPass(mouse, fish, 1), 0);
    EXPECT_EQ(fish[0].targetHeading, 0);
}

TEST_F(PickingTest, AMissConsumesThePress) {
    std::array<Fish, 2> fish{settledFish(0, 0, -70), settledFish(10, 5, -70)};
    mouse.mode = kModeZoomInFish;
    mouse.mouseX = 5, mouse.mouseY = 5;
    mouse.pickPending = true;
    EXPECT_EQ(picking.FishPickingPass(mouse, fish, 2), -1);
    EXPECT_FALSE(mouse.pickPending);
    EXPECT_EQ(fish[0].size, 6);
    EXPECT_EQ(fish[1].size, 6);
}
