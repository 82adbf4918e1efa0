#include "tank/fish/Fish.h"
#include "tank/fish/WaveGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace quelmarine;

namespace {

// A fish whose turn toward `target` starts now, from heading `from`.
Fish turningFish(float from, float target) {
    Fish fish;
    fish.heading = from;
    fish.turnTarget = from;
    fish.targetHeading = target;
    return fish;
}

TEST(TurnSpreadTest, HeadStepsTenDegreesEveryThirdCallAndTheTailTrailsTheWholeTurn) {
    Fish fish = turningFish(0, 90);
    float yaw[10];
    fish.ComputeTurnYaw(yaw, 10, 90, true);
    EXPECT_EQ(fish.heading, 0);
    EXPECT_FLOAT_EQ(yaw[9], -90); // 2 * heading - 90
    EXPECT_EQ(yaw[0], yaw[1]);
    fish.ComputeTurnYaw(yaw, 10, 90, true);
    EXPECT_EQ(fish.heading, 0);
    fish.ComputeTurnYaw(yaw, 10, 90, true);
    EXPECT_EQ(fish.heading, 10);
    EXPECT_NEAR(yaw[9], 2 * 10 - 90, 1e-4);
    for (int i = 1; i < 9; ++i)
        EXPECT_GT(yaw[i], yaw[i + 1]) << "the body curves smoothly toward the tail";
    int calls = 3;
    while (!fish.turnReached && calls < 100) {
        fish.ComputeTurnYaw(yaw, 10, 90, true);
        ++calls;
        if (!fish.turnReached) {
            EXPECT_NEAR(yaw[9], 2 * fish.heading - 90, 1e-3);
        }
    }
    EXPECT_EQ(calls, 27); // nine steps of ten, one every third call
    EXPECT_EQ(fish.heading, 90);
}

TEST(TurnSpreadTest, SegmentsCatchUpTwoDegreesPerCallThenSettle) {
    Fish fish = turningFish(0, 90);
    float yaw[10];
    while (!fish.turnReached)
        fish.ComputeTurnYaw(yaw, 10, 90, true);
    // The tail still points back along the last step; it catches up by 2 per call.
    const int tailBefore = fish.segmentYaw[9];
    EXPECT_LT(tailBefore, 90);
    fish.ComputeTurnYaw(yaw, 10, 90, true);
    EXPECT_EQ(fish.segmentYaw[9], std::min(tailBefore + 2, 90));
    int guard = 0;
    while (!fish.turnSettled && ++guard < 200)
        fish.ComputeTurnYaw(yaw, 10, 90, true);
    ASSERT_TRUE(fish.turnSettled);
    for (float y : yaw)
        EXPECT_EQ(y, 90) << "a settled fish draws every segment at the same yaw";
}

TEST(TurnSpreadTest, StepSizeFollowsTheTargetAngleEatingAndWalls) {
    float yaw[10];
    struct Case {
        float target;
        bool eating;
        float expectedStep;
    };
    for (Case c : {Case{3, false, 1}, Case{7, false, 3}, Case{-7, false, 3}, Case{40, false, 10},
                   Case{3, true, 3}}) {
        Fish fish = turningFish(0, c.target);
        fish.eating = c.eating;
        for (int i = 0; i < 3; ++i)
            fish.ComputeTurnYaw(yaw, 10, c.target, true);
        EXPECT_FLOAT_EQ(std::fabs(fish.heading), std::min(c.expectedStep, std::fabs(c.target)))
            << "target " << c.target;
    }
    // While eating, the catch-up step is 10.
    Fish eater = turningFish(0, 90);
    eater.eating = true;
    while (!eater.turnReached)
        eater.ComputeTurnYaw(yaw, 10, 90, true);
    const int before = eater.segmentYaw[9];
    eater.ComputeTurnYaw(yaw, 10, 90, true);
    EXPECT_EQ(eater.segmentYaw[9], std::min(before + 10, 90));
}

TEST(TurnSpreadTest, SideWallSnapsTheWholeBodyToTheTarget) {
    Fish fish = turningFish(0, 180);
    fish.lastWall = Wall::Left;
    float yaw[10];
    fish.ComputeTurnYaw(yaw, 10, 180, true);
    EXPECT_EQ(fish.heading, 180);
    for (float y : yaw)
        EXPECT_EQ(y, 180);
}

TEST(TurnSpreadTest, AChangedTargetStartsANewTurn) {
    Fish fish = turningFish(0, 30);
    float yaw[10];
    for (int i = 0; i < 60; ++i)
        fish.ComputeTurnYaw(yaw, 10, 30, true);
    EXPECT_TRUE(fish.turnSettled);
    fish.ComputeTurnYaw(yaw, 10, 60, true);
    EXPECT_FALSE(fish.turnReached);
    EXPECT_FALSE(fish.turnSettled);
    EXPECT_EQ(fish.turnTarget, 60);
}

TEST(WaveGeneratorTest, BodyWaveMovesOnlyTheLastTwoSegments) {
    Fish fish;
    float wave[10];
    bool sawMotion = false;
    for (int frame = 0; frame < 40; ++frame) {
        fish.ComputeBodyWave(wave, 10);
        for (int i = 0; i <= 7; ++i)
            EXPECT_EQ(wave[i], 0.0f);
        EXPECT_NEAR(wave[9], 2 * 0.01f * std::sin(9 * 0.2617994f + fish.bodyWave.phase) * fish.size,
                    1e-6f);
        sawMotion = sawMotion || std::fabs(wave[8]) > 0.01f;
    }
    EXPECT_TRUE(sawMotion);
}

TEST(WaveGeneratorTest, PhaseStepsOnceEveryThresholdPlusTwoCallsAndWraps) {
    WaveState w;
    w.phaseStep = 1.0f;
    float out[3];
    for (int call = 1; call <= 14; ++call) {
        runFlapGenerator(w, 5, 6, out, 3);
        EXPECT_EQ(w.phase, float(call / 7)) << "call " << call;
    }
    w.phase = 6.2f;
    w.tick = 6;
    runFlapGenerator(w, 5, 6, out, 3);
    EXPECT_EQ(w.phase, 0.0f) << "a phase beyond a full turn wraps to 0";
    w.spatialStep = 0.5f;
    w.amplitude = 0.02f;
    w.phase = 0.3f;
    w.tick = 0;
    runFlapGenerator(w, 5, 6, out, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(out[i], std::sin(i * 0.5f + 0.3f) * 6 * 0.02f, 1e-6f);
}

TEST(WaveGeneratorTest, SharedDorsalGeneratorAdvancesTwicePerFrame) {
    Fish fish;
    FishPose pose;
    for (int frame = 0; frame < 7; ++frame)
        fish.ComputePose(pose);
    // 14 calls at a period of 7 calls: two phase steps.
    EXPECT_NEAR(fish.dorsalFlap.phase, 2 * 0.5235987f, 1e-6f);
    EXPECT_NEAR(fish.pectoralFlap.phase, 1 * 0.7853981f, 1e-6f); // period 4: one step in 7 calls
}

TEST(JawTest, ShutMouthGivesZeroJawsAndAnOpenOneTapersToTheHinge) {
    Fish fish;
    fish.mouthShut = true;
    float upper[5] = {};
    fish.ComputeJaw(upper, 5, false);
    for (float v : upper)
        EXPECT_EQ(v, 0.0f);
    fish.mouthShut = false;
    fish.size = 6;
    fish.ComputeJaw(upper, 5, false);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(upper[i], 6 * 0.003f * (5 - i), 1e-6f);
    EXPECT_EQ(upper[4], 0.0f) << "the hinge column stays shut";
}

TEST(JawTest, MouthTimerTogglesEverySeventeenToTwentySixFrames) {
    Fish fish;
    fish.lowerJawTick = 0;
    float lower[7];
    bool shut = fish.mouthShut;
    int last = 0, toggles = 0;
    for (int frame = 1; frame <= 2000; ++frame) {
        fish.ComputeJaw(lower, 7, true);
        if (fish.mouthShut != shut) {
            shut = fish.mouthShut;
            if (toggles++ > 0) {
                EXPECT_GE(frame - last, 17);
                EXPECT_LE(frame - last, 26);
            }
            last = frame;
        }
    }
    EXPECT_GT(toggles, 70);
}

TEST(SwimStyleTest, FastSwimmersWaveAndFlapHalfAsFastAgain) {
    Fish slow, fast;
    slow.SetSwimStyle(0.1f, false);
    fast.SetSwimStyle(0.2f, true);
    EXPECT_FALSE(slow.mouthShut);
    EXPECT_TRUE(fast.mouthShut);
    EXPECT_FLOAT_EQ(slow.bodyWave.phaseStep, 0.7853981f);
    EXPECT_FLOAT_EQ(fast.bodyWave.phaseStep, 0.7853981f * 1.5f);
    EXPECT_FLOAT_EQ(slow.dorsalFlap.spatialStep, 0.6283185f);
    EXPECT_FLOAT_EQ(fast.dorsalFlap.amplitude, 0.015f * 1.5f);
    EXPECT_FLOAT_EQ(fast.dorsalFlap.phaseStep, 0.39269906f * 1.5f);
    EXPECT_FLOAT_EQ(slow.pectoralFlap.amplitude, 0.01f);
    EXPECT_FLOAT_EQ(fast.pectoralFlap.phaseStep, 0.52359873f * 1.5f);
    // The other fins keep their constructor values.
    EXPECT_FLOAT_EQ(fast.tailFlap.amplitude, 0.02f);
    EXPECT_FLOAT_EQ(fast.pelvicFlap.phaseStep, 0.7853981f);
}

TEST(FishConstructionTest, StartsWithRandomTargetsInTheirRanges) {
    for (int i = 0; i < 50; ++i) {
        Fish fish;
        EXPECT_EQ(fish.size, 6);
        EXPECT_FLOAT_EQ(fish.speed, 0.1f);
        EXPECT_TRUE(fish.mouthShut);
        EXPECT_GE(fish.targetHeading, 0);
        EXPECT_LE(fish.targetHeading, 179);
        EXPECT_GE(fish.targetPitch, 0);
        EXPECT_LE(fish.targetPitch, 44);
        EXPECT_GE(fish.wanderTimer, 0);
        EXPECT_LE(fish.wanderTimer, 199);
        EXPECT_LE(fish.lowerJawTick, 14);
        EXPECT_EQ(fish.targetHeading, std::floor(fish.targetHeading));
    }
}

} // namespace
