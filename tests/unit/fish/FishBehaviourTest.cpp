#include "tank/fish/Fish.h"
#include "tank/fish/FishRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace quelmarine;

namespace {

// A settled fish in the default swimming box at (x, y, z), heading and aim `heading`.
Fish fishAt(float x, float y, float z, float heading = 0) {
    Fish fish;
    fish.SetBounds(-50, 50, 11, -15, -80, -60);
    fish.x = x;
    fish.y = y;
    fish.z = z;
    fish.heading = fish.targetHeading = fish.turnTarget = heading;
    fish.targetPitch = fish.pitch = 0;
    fish.UpdateDirectionFlags();
    return fish;
}

TEST(SwimmingBoxTest, SetBoundsRaisesTheTopAndBottomAndClearsTheBoxes) {
    Fish fish;
    fish.crowded = true;
    fish.SetBounds(-50, 50, 11, -15, -80, -60);
    EXPECT_EQ(fish.yMax, 21);
    EXPECT_EQ(fish.yMin, -10);
    EXPECT_EQ(fish.xMin, -50);
    EXPECT_EQ(fish.zMax, -60);
    EXPECT_FALSE(fish.crowded);
    EXPECT_FALSE(fish.hasBoxes) << "a fish that was never drawn has no collision boxes";
}

TEST(TurnTest, IgnoredWhileTheFishIsStillTurning) {
    Fish fish = fishAt(0, 0, -70, 10);
    fish.targetHeading = 10.2f;
    for (TurnKind kind : {TurnKind::Random, TurnKind::Reverse, TurnKind::Nudge, TurnKind::Dodge,
                          TurnKind::Sidestep, TurnKind::GiveWay, TurnKind::Steer}) {
        fish.Turn(30, true, kind);
        EXPECT_EQ(fish.targetHeading, 10.2f);
    }
}

TEST(TurnTest, EachKindChangesTheTargetHeadingByItsRule) {
    Fish f = fishAt(0, 0, -70, 100); // heading 100: moving +x
    f.Turn(0, false, TurnKind::Reverse);
    EXPECT_EQ(f.targetHeading, 280);
    f = fishAt(0, 0, -70, 200);
    f.Turn(0, false, TurnKind::Reverse);
    EXPECT_EQ(f.targetHeading, 20);

    f = fishAt(0, 0, -70, 100);
    f.Turn(42.7f, true, TurnKind::Steer); // dir differs from movingMinusX: +
    EXPECT_EQ(f.targetHeading, 142);
    f = fishAt(0, 0, -70, 30); // moving -x
    f.Turn(12, true, TurnKind::Steer);
    EXPECT_EQ(f.targetHeading, 18);

    f = fishAt(0, 0, -70, 30);
    f.Turn(0, true, TurnKind::GiveWay); // dir equals movingMinusX
    EXPECT_EQ(f.targetHeading, -150);
    f = fishAt(0, 0, -70, 100);
    f.Turn(0, true, TurnKind::GiveWay);
    EXPECT_EQ(f.targetHeading, 280);

    for (int i = 0; i < 30; ++i) {
        f = fishAt(0, 0, -70, 100);
        f.Turn(0, false, TurnKind::Sidestep);
        EXPECT_GE(100 - f.targetHeading, 10);
        EXPECT_LE(100 - f.targetHeading, 19);
        f = fishAt(0, 0, -70, 100);
        f.Turn(0, false, TurnKind::Nudge);
        EXPECT_LE(100 - f.targetHeading, 14);
        EXPECT_GE(100 - f.targetHeading, 0);
        f = fishAt(0, 0, -70, 250);
        f.Turn(0, false, TurnKind::Random);
        EXPECT_LE(f.targetHeading, 250);
        EXPECT_GT(f.targetHeading, 250 - 170);
    }
    f = fishAt(0, 0, -70, 350); // moving -x: dir false adds
    f.Turn(40, false, TurnKind::Steer);
    EXPECT_EQ(f.targetHeading, 360) << "clamped to -360 ... 360";
}

TEST(TurnTest, DodgeOnlyInsideTheDepthBand) {
    struct Case {
        float heading, expected;
    };
    for (Case c :
         {Case{90, 180}, Case{200, 110}, Case{0, -90}, Case{-100, -190}, Case{-200, -110}}) {
        Fish f = fishAt(0, 0, -70, c.heading);
        TouchResponse(f);
        EXPECT_EQ(f.targetHeading, c.expected) << c.heading;
    }
    for (float z : {-75.0f, -60.0f, -90.0f, -50.0f}) {
        Fish f = fishAt(0, 0, z, 90);
        EXPECT_FALSE(f.InDepthBand()) << z;
        TouchResponse(f);
        EXPECT_EQ(f.targetHeading, 90) << z;
    }
    EXPECT_TRUE(fishAt(0, 0, -74.9f).InDepthBand());
    EXPECT_TRUE(fishAt(0, 0, -89).InDepthBand());
}

TEST(TiltTest, KindsAndLimits) {
    Fish f = fishAt(0, 0, -70);
    f.targetPitch = 20;
    f.Tilt(10, true, TiltKind::Steer);
    EXPECT_EQ(f.targetPitch, 30);
    f.Tilt(30, true, TiltKind::Steer);
    EXPECT_EQ(f.targetPitch, 45) << "clamped";
    f.targetPitch = 40;
    f.Tilt(60, true, TiltKind::Steer);
    EXPECT_EQ(f.targetPitch, 40) << "a steer beyond +-90 does nothing at all";
    f.Tilt(0, false, TiltKind::Mirror);
    EXPECT_EQ(f.targetPitch, -40);
    f.Tilt(0, true, TiltKind::Step);
    EXPECT_EQ(f.targetPitch, -39);
    f.targetPitch = 10;
    f.Tilt(0, false, TiltKind::Random);
    EXPECT_LE(f.targetPitch, -5);
    EXPECT_GE(f.targetPitch, -19);
}

TEST(EaseSpeedTest, StepTowardTheTargetIsTakenBackWhenItOvershoots) {
    Fish f;
    f.speed = 0.15f;
    f.EaseSpeed(0.1f, 0.2f);
    EXPECT_FLOAT_EQ(f.speed, 0.15f);
    f.speed = 0.1f;
    f.EaseSpeed(0.1f, 0.2f);
    EXPECT_FLOAT_EQ(f.speed, 0.2f);
    f.speed = 0.4f;
    f.EaseSpeed(0.1f, 1.0f);
    EXPECT_FLOAT_EQ(f.speed, 0.4f);
    f.speed = 0.1f;
    f.EaseSpeed(0.3f, 0.0f);
    EXPECT_FLOAT_EQ(f.speed, 0.1f);
}

TEST(ResizeTest, ZoomStepsByTwoWithinThreeToNine) {
    Fish f;
    ZoomResponse(f, true);
    EXPECT_EQ(f.size, 8);
    ZoomResponse(f, true);
    EXPECT_EQ(f.size, 9);
    f.size = 3;
    ZoomResponse(f, false);
    EXPECT_EQ(f.size, 3);
    f.size = 6;
    f.Resize(1.7f, true);
    EXPECT_EQ(f.size, 7);
}

TEST(MoveTest, SwimsAlongTheHeadingAndClimbsWithTheTargetPitch) {
    Fish f = fishAt(0, 0, -70, 30);
    f.speed = 0.2f;
    f.targetPitch = 30;
    f.Move();
    EXPECT_NEAR(f.x, -std::cos(30 * 0.017453292f) * 0.2f, 1e-5f);
    EXPECT_NEAR(f.z, -70 + std::sin(30 * 0.017453292f) * 0.2f, 1e-5f);
    EXPECT_NEAR(f.y, 0.1f, 1e-5f);
    f = fishAt(0, 0, -70, 200);
    f.speed = 0.2f;
    f.Move();
    EXPECT_GT(f.x, 0);
    EXPECT_LT(f.z, -70);
    f = fishAt(0, 0, -70, 370);
    f.Move();
    EXPECT_EQ(f.heading, 180) << "a heading beyond a full turn restarts at 180";
}

TEST(MoveTest, StandsStillWhileTurningAwayFromASideWall) {
    Fish f = fishAt(-51, 0, -70, 0);
    f.Move();
    EXPECT_EQ(f.lastWall, Wall::Left);
    EXPECT_NEAR(f.x, -51 - 0.1f + 0.1f, 1e-5f);
    EXPECT_EQ(f.targetHeading, 180);
    const float x = f.x;
    f.Move();
    EXPECT_EQ(f.x, x) << "no movement while the heading is over 15 degrees off";
    // The turn snaps the whole body in the next animation step.
    float yaw[10];
    f.ComputeTurnYaw(yaw, 10, f.targetHeading, true);
    f.ComputeTurnYaw(yaw, 10, f.targetHeading, true);
    f.ComputeTurnYaw(yaw, 10, f.targetHeading, true);
    EXPECT_EQ(f.heading, 180);
}

TEST(ApplyWallsTest, SideWallsReverseAndPushBack) {
    Fish f = fishAt(-51, 0, -70, 0);
    f.speed = 0.3f;
    f.ApplyWalls();
    EXPECT_EQ(f.lastWall, Wall::Left);
    EXPECT_FLOAT_EQ(f.x, -50.9f);
    EXPECT_EQ(f.targetHeading, 180);
    EXPECT_FLOAT_EQ(f.speed, 0.29f) << "slows near the side walls";
    f = fishAt(51, 0, -70, 180);
    f.ApplyWalls();
    EXPECT_EQ(f.lastWall, Wall::Right);
    EXPECT_FLOAT_EQ(f.x, 50.9f);
    EXPECT_EQ(f.targetHeading, 360) << "180 is not above 180: the reverse adds 180";
    // Past the wall but already aimed back: nothing but the slowing.
    f = fishAt(51, 0, -70, 0);
    f.ApplyWalls();
    EXPECT_EQ(f.lastWall, Wall::None);
    EXPECT_EQ(f.x, 51);
}

TEST(ApplyWallsTest, BackFrontTopAndBottom) {
    Fish f = fishAt(0, 0, -79, 270); // aimed at -z
    f.ApplyWalls();
    EXPECT_EQ(f.z, -78);
    EXPECT_GE(f.targetHeading, 270) << "nudged by 0 ... 14 toward +z";
    EXPECT_LE(f.targetHeading, 284);
    // Aimed forward again but still heading backward while it turns: held at the back line.
    f = fishAt(0, 0, -78.5f, -100);
    f.targetHeading = 0;
    f.UpdateDirectionFlags();
    f.ApplyWalls();
    EXPECT_EQ(f.z, -78);
    EXPECT_EQ(f.targetHeading, 0);
    f = fishAt(0, 0, -59, 90); // past the front, aimed at +z
    f.ApplyWalls();
    EXPECT_EQ(f.lastWall, Wall::Front);
    f = fishAt(0, 21.3f, -70);
    f.targetPitch = 20;
    f.ApplyWalls();
    EXPECT_EQ(f.y, 21);
    EXPECT_EQ(f.targetPitch, -20);
    EXPECT_EQ(f.lastWall, Wall::Top);
    f = fishAt(0, -10.5f, -70);
    f.targetPitch = -30;
    f.ApplyWalls();
    EXPECT_EQ(f.y, -10);
    EXPECT_EQ(f.targetPitch, 30);
    EXPECT_EQ(f.lastWall, Wall::Bottom);
}

TEST(UpdateBoxesTest, NoseTailAndBoxesFollowTheAim) {
    Fish f = fishAt(10, 2, -70, 0);
    f.size = 6;
    f.UpdateBoxes();
    EXPECT_TRUE(f.hasBoxes);
    EXPECT_FLOAT_EQ(f.nose[0], 7); // half the length ahead along -x
    EXPECT_FLOAT_EQ(f.tail[0], 13);
    EXPECT_FLOAT_EQ(f.nose[1], 2);
    EXPECT_NEAR(f.nose[2], -70, 1e-6);
    EXPECT_FLOAT_EQ(f.bodyBox.xMin, 7);
    EXPECT_FLOAT_EQ(f.bodyBox.xMax, 13);
    EXPECT_NEAR(f.bodyBox.yMax - f.bodyBox.yMin, 6 * 0.331898f, 1e-5);
    EXPECT_NEAR(f.bodyBox.zMax - f.bodyBox.zMin, 6 * 0.36675f, 1e-5);
    EXPECT_FLOAT_EQ(f.reachBox.xMin, 4);
    EXPECT_FLOAT_EQ(f.reachBox.xMax, 16);
    EXPECT_NEAR(f.reachBox.yMax, f.bodyBox.yMax + 6 * 0.331898f * 0.25f, 1e-5);
    // Heading 90 and a climb: the nose is toward +z and up.
    f = fishAt(0, 0, -70, 90);
    f.targetPitch = f.pitch = 30;
    f.UpdateDirectionFlags();
    f.UpdateBoxes();
    EXPECT_NEAR(f.nose[2], -70 + 3 * 1.0f, 1e-4);
    EXPECT_NEAR(f.nose[1], 3 * 0.5f, 1e-4);
    EXPECT_NEAR(f.tail[1], -1.5f, 1e-4);
}

TEST(AngleHelpersTest, LineAngle) {
    EXPECT_NEAR(LineAngle(0, 1, 0, 1, 0, 0, 0, 1), 45, 1e-3);  // flat line vs. diagonal
    EXPECT_NEAR(LineAngle(0, 1, 0, 0, 0, 0, 0, 1), 90, 1e-2);  // flat vs. vertical
    EXPECT_NEAR(LineAngle(0, 2, 5, 7, 0, 2, 1, 3), 0, 1e-3);   // parallel
    EXPECT_NEAR(LineAngle(0, 1, 0, 1, 0, 1, 0, -1), 90, 1e-2); // perpendicular diagonals
    EXPECT_NEAR(LineAngle(0, 1, 0, 1, 0, 0, 0, std::tan(0.5f)), 0.5f * 57.29578f, 1e-3);
}

TEST(AngleHelpersTest, ClimbAngle) {
    EXPECT_EQ(ClimbAngle(0, 0), 0);
    EXPECT_EQ(ClimbAngle(0, -3), 270);
    EXPECT_EQ(ClimbAngle(0, 3), 90);
    EXPECT_EQ(ClimbAngle(3, 0), 0);
    EXPECT_EQ(ClimbAngle(-3, 0), 180);
    EXPECT_EQ(ClimbAngle(1, 1), 45);
    EXPECT_EQ(ClimbAngle(2, 1), 26);       // atan(0.5) = 26.57, truncated
    EXPECT_EQ(ClimbAngle(-2, 1), 90 - 26); // any quadrant but the first: 90 - t
}

TEST(FeedingTest, WithoutFoodFeedSteerOnlyClearsEating) {
    std::vector<Fish> fish(1, fishAt(0, 0, -70, 30));
    fish[0].UpdateBoxes();
    fish[0].eating = true;
    const float heading = fish[0].targetHeading, speed = fish[0].speed;
    FeedSteer(fish, 0, {});
    EXPECT_FALSE(fish[0].eating);
    EXPECT_EQ(fish[0].targetHeading, heading);
    EXPECT_EQ(fish[0].speed, speed);
}

TEST(FeedingTest, FoodWithinTenUnitsDrawsTheFishAndSpeedsItUp) {
    std::vector<Fish> fish(1, fishAt(0, 0, -70, 0)); // nose at x -3
    fish[0].UpdateBoxes();
    std::vector<FoodTarget> food(2);
    food[0] = {-8, 1, -66, true, true, false};  // ahead (toward -x) and nearer (+z)
    food[1] = {30, 0, -70, false, true, false}; // inactive
    FeedSteer(fish, 0, food);
    EXPECT_TRUE(fish[0].eating);
    EXPECT_FLOAT_EQ(fish[0].speed, 0.2f);
    // The line to the food is 26.6 degrees off the line of travel: heading 26 bends the
    // path toward +z, where the food is.
    EXPECT_EQ(fish[0].targetHeading, 26);
    // Food far away: nothing happens but eating stays false.
    std::vector<FoodTarget> far{{-40, 0, -70, true, true, false}};
    Fish other = fishAt(0, 0, -70, 0);
    other.UpdateBoxes();
    std::vector<Fish> one{other};
    FeedSteer(one, 0, far);
    EXPECT_FALSE(one[0].eating);
}

TEST(FeedingTest, EatCheckEatsAliveActiveFoodAtTheNoseOnce) {
    std::vector<Fish> fish(1, fishAt(0, 0, -70, 0));
    fish[0].UpdateBoxes(); // nose (-3, 0, -70)
    std::vector<FoodTarget> food{{-3.5f, 1.0f, -71.5f, true, true, false},
                                 {-3.0f, 0.0f, -70.0f, false, true, false},
                                 {-3.0f, 0.0f, -70.0f, true, false, false},
                                 {-3.0f, 1.6f, -70.0f, true, true, false}};
    EatCheck(fish, 0, food);
    EXPECT_TRUE(food[0].eaten);
    EXPECT_FALSE(food[0].alive);
    EXPECT_FALSE(food[1].eaten) << "inactive";
    EXPECT_FALSE(food[2].eaten) << "already eaten";
    EXPECT_FALSE(food[3].eaten) << "1.6 above the nose";
}

TEST(CrowdTest, OverlappingFishMakeRoomAndNeverDrawnSlotsDoNot) {
    std::vector<Fish> fish(3);
    fish[0] = fishAt(0, 0, -70, 0);
    fish[1] = fishAt(2, 1, -70, 0); // same direction, behind fish 0 (larger x)
    fish[2] = fishAt(0, 0, -70, 0);
    fish[0].UpdateBoxes();
    fish[1].UpdateBoxes();
    // fish[2] was never drawn: no boxes, even though it sits on fish 0.
    fish[0].speed = 0.3f;
    fish[1].speed = 0.3f;
    Crowd(fish, 0);
    EXPECT_TRUE(fish[0].crowded);
    EXPECT_TRUE(fish[1].crowded);
    EXPECT_FALSE(fish[2].crowded);
    EXPECT_EQ(fish[0].targetPitch, -1) << "the lower fish dips";
    EXPECT_EQ(fish[1].targetPitch, 1) << "the upper one climbs";
    // Fish 0 is in front along -x: it eases toward 0.4, then fish 1 toward its new speed - 0.1.
    EXPECT_FLOAT_EQ(fish[0].speed, 0.4f);
    EXPECT_FLOAT_EQ(fish[1].speed, 0.3f);

    // Apart: Crowd clears the flag of the fish it runs for.
    fish[1] = fishAt(30, 1, -70, 0);
    fish[1].UpdateBoxes();
    Crowd(fish, 0);
    EXPECT_FALSE(fish[0].crowded);
}

TEST(CrowdTest, HeadOnFishTheSmallerGivesWay) {
    std::vector<Fish> fish(2);
    fish[0] = fishAt(0, 0, -70, 0);    // aimed -x
    fish[1] = fishAt(-4, 0, -70, 180); // aimed +x, toward fish 0
    fish[0].size = 7;
    fish[0].UpdateBoxes();
    fish[1].UpdateBoxes();
    Crowd(fish, 0);
    EXPECT_EQ(fish[0].targetHeading, 0);
    EXPECT_EQ(fish[1].targetHeading, 360) << "180 + 180, the smaller one turns";
}

TEST(CrowdTest, CrossingFishSidestep) {
    std::vector<Fish> fish(2);
    fish[0] = fishAt(0, 0, -70, 0);
    fish[1] = fishAt(0, 0, -68, 90); // at a right angle in the x-z plane, nearer
    fish[0].UpdateBoxes();
    fish[1].UpdateBoxes();
    Crowd(fish, 0);
    const float turn0 = fish[0].targetHeading, turn1 = fish[1].targetHeading - 90;
    EXPECT_GE(std::fabs(turn0), 10);
    EXPECT_LE(std::fabs(turn0), 19);
    EXPECT_GE(std::fabs(turn1), 10);
    EXPECT_LE(std::fabs(turn1), 19);
}

} // namespace
