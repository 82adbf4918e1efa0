// The food creature: where its swimming differs from the main fish's, and its generators.
#include <cmath>
#include <gtest/gtest.h>

#include "tank/fish/Fish.h"
#include "tank/fish/FoodFish.h"

using namespace quelmarine;

namespace {

FoodFish settledCreature(float heading) {
    FoodFish f;
    f.SetBounds(-50, 50, 11, -15, -80, -60);
    f.heading = f.targetHeading = f.turnTarget = heading;
    f.turnReached = f.turnSettled = true;
    f.UpdateDirectionFlags();
    return f;
}

} // namespace

TEST(FoodFishSwimming, StartValues) {
    for (int i = 0; i < 30; ++i) {
        FoodFish f;
        EXPECT_EQ(f.size, 12.0f);
        EXPECT_EQ(f.speed, 0.05f);
        EXPECT_TRUE(f.targetHeading == 0 || f.targetHeading == 180) << f.targetHeading;
        EXPECT_GE(f.targetPitch, 0);
        EXPECT_LE(f.targetPitch, 44);
        EXPECT_GE(f.wanderTimer, 0);
        EXPECT_LE(f.wanderTimer, 199);
    }
}

TEST(FoodFishSwimming, SpeedStaysWithinItsRangeAndTakesNoStepBack) {
    FoodFish f;
    Fish main;
    f.speed = main.speed = 0.15f;
    f.EaseSpeed(0.1f, 0.2f);
    main.EaseSpeed(0.1f, 0.2f);
    EXPECT_FLOAT_EQ(f.speed, 0.2f) << "0.25 clamped to the top of 0.05 ... 0.2";
    EXPECT_FLOAT_EQ(main.speed, 0.15f) << "the main fish takes the overshooting step back";

    f.speed = 0.1f;
    f.EaseSpeed(0.1f, 0.15f);
    EXPECT_FLOAT_EQ(f.speed, 0.2f);
    f.EaseSpeed(0.1f, 0.05f);
    EXPECT_FLOAT_EQ(f.speed, 0.1f);
    f.EaseSpeed(0.1f, 0.05f);
    EXPECT_FLOAT_EQ(f.speed, 0.05f) << "0.0 clamped to the bottom";
}

TEST(FoodFishSwimming, WallRulesEaseTowardTheSlowFoodSpeed) {
    FoodFish f = settledCreature(0);
    f.speed = 0.2f;
    f.z = -5; // near the drop plane: always "near the front" of the relative box
    f.ApplyWalls();
    EXPECT_FLOAT_EQ(f.speed, 0.19f);
    f.speed = 0.12f;
    f.y = 30; // above the top
    f.ApplyWalls();
    EXPECT_FLOAT_EQ(f.speed, 0.05f) << "0.11 - 0.1 clamped up to 0.05";
}

TEST(FoodFishSwimming, NeverSinksBehindTheFrontBandAtRelativeZMinusNine) {
    FoodFish f = settledCreature(270); // heading toward -z
    f.speed = 0.2f;
    float lowest = 0;
    for (int i = 0; i < 400; ++i) {
        f.heading = f.targetHeading = 270; // keep aiming backward whatever the nudges did
        f.Move();
        lowest = std::min(lowest, f.z);
    }
    EXPECT_GE(lowest, -9.0f);
    EXPECT_LT(lowest, -8.0f) << "it did reach the band";
}

TEST(FoodFishSwimming, NudgesTurnByUpTo179Degrees) {
    float largest = 0;
    for (int i = 0; i < 200; ++i) {
        FoodFish f = settledCreature(100);
        f.Turn(0, false, TurnKind::Nudge);
        const float change = std::fabs(f.targetHeading - 100);
        EXPECT_LT(change, 180);
        largest = std::max(largest, change);
    }
    EXPECT_GT(largest, 90) << "far beyond the main fish's 15";
}

TEST(FoodFishSwimming, WanderWaitsOver1000DrawsAndNeverTurnsAtItsDepth) {
    FoodFish f = settledCreature(180);
    f.wanderTimer = 1000;
    f.speed = 0.05f;
    f.Wander();
    EXPECT_EQ(f.wanderTimer, 1001) << "not yet: the old value was 1000";
    const float pitchBefore = f.targetPitch;
    f.Wander();
    EXPECT_GE(f.wanderTimer, 0);
    EXPECT_LE(f.wanderTimer, 499);
    EXPECT_EQ(f.targetHeading, 180) << "the relative z is never in the depth band";
    EXPECT_NE(f.targetPitch, pitchBefore);
    EXPECT_GT(f.speed, 0.05f);
}

TEST(FoodFishAnimation, TurnSpreadKeepsTheHeadSegmentOwnYaw) {
    FoodFish f = settledCreature(0);
    f.targetHeading = 90;
    float yaw[kFoodSegments];
    for (int i = 0; i < 3; ++i)
        f.ComputeTurnYaw(yaw, kFoodSegments, f.targetHeading, false);
    ASSERT_FALSE(f.turnReached);
    EXPECT_EQ(yaw[0], f.heading) << "no copy of segment 1 into segment 0";
    EXPECT_NE(yaw[1], yaw[0]);
    EXPECT_FLOAT_EQ(yaw[13], f.heading - 13 * std::fabs(f.heading - 90) / 13);
}

TEST(FoodFishAnimation, BodyWaveMovesEverySegment) {
    FoodFish f;
    float wave[kFoodSegments];
    f.ComputeBodyWave(wave, kFoodSegments); // tick 0 -> 1
    f.ComputeBodyWave(wave, kFoodSegments); // 1 -> 2
    EXPECT_EQ(f.bodyWave.phase, 0);
    f.ComputeBodyWave(wave, kFoodSegments); // third call steps the phase
    EXPECT_FLOAT_EQ(f.bodyWave.phase, 0.7853981f);
    for (int i = 0; i < kFoodSegments; ++i)
        EXPECT_FLOAT_EQ(wave[i], std::sin(i * 0.2617994f + 0.7853981f) * 12 * 0.05f) << i;
}

TEST(FoodFishAnimation, FlapGeneratorsAreSharedByAllCreatures) {
    FoodFlapStates flaps;
    FoodFish a, b;
    FoodFishPose pose;
    // Twelve calls in all, alternating between two creatures, step the shared phase once.
    for (int i = 0; i < 6; ++i) {
        a.ComputePose(pose, flaps);
        EXPECT_EQ(flaps.headFlutter.phase, 0) << i;
        b.ComputePose(pose, flaps);
    }
    EXPECT_FLOAT_EQ(flaps.headFlutter.phase, 0.5235987f);
    EXPECT_FLOAT_EQ(flaps.tailFan.phase, 0.5235987f);
    EXPECT_EQ(flaps.headFlutter.tick, 0);
    EXPECT_FLOAT_EQ(a.bodyWave.phase, 2 * 0.7853981f) << "each creature has its own body wave";
}

TEST(FoodFishAnimation, FlapValuesGrowWithTheIndex) {
    WaveState w;
    w.phase = 1.0f;
    float out[12];
    runFoodFlap(w, 0.049087383f, 12, out, 12);
    EXPECT_EQ(out[0], 0);
    for (int i = 1; i < 12; ++i)
        EXPECT_FLOAT_EQ(out[i], i * std::sin(i * 0.049087383f + 1.0f) * 12 * 0.005f) << i;
}
