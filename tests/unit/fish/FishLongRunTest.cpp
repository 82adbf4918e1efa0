// A long run of the fish pass: 25 fish, 10,000 frames, every rule in play (walls, crowding,
// wandering; feeding with food placed in their way). Every fish stays in its swimming box
// within the margins the rules allow, and nothing becomes NaN. The fish step without any
// drawing.

#include "tank/fish/FishPopulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace quelmarine;

namespace {

bool finite(const Fish& f) {
    for (float v : {f.x, f.y, f.z, f.heading, f.targetHeading, f.pitch, f.targetPitch, f.speed,
                    f.nose[0], f.nose[1], f.nose[2], f.reachBox.xMin, f.reachBox.zMax})
        if (!std::isfinite(v))
            return false;
    return true;
}

TEST(FishLongRunTest, TwentyFiveFishStayInTheirBoxForTenThousandFrames) {
    std::vector<Fish> pool(kFishPoolSize);
    PlaceAllFish(pool, 21, -21);
    const std::int32_t counts[kFishSpecies] = {5, 5, 5, 5, 5};
    std::vector<FoodTarget> food(4);

    float lowX = 1e9f, highX = -1e9f, lowY = 1e9f, highY = -1e9f, lowZ = 1e9f, highZ = -1e9f;
    float lowSpeed = 1, highSpeed = 0;
    // Frames each fish has spent past a side wall or the front in a row, and the longest run.
    std::vector<int> outside(kFishPoolSize, 0);
    int longestOutside = 0;
    int eaten = 0, crowdedFrames = 0;
    for (int frame = 0; frame < 10000; ++frame) {
        // Every 500 frames, food appears at a fish's nose a little ahead of it.
        if (frame % 500 == 0) {
            for (int k = 0; k < 4; ++k) {
                const Fish& f = pool[(frame / 500 * 4 + k) % kFishPoolSize];
                food[k] = {f.nose[0] + (f.movingMinusX ? -4.0f : 4.0f),
                           f.nose[1] + 1,
                           f.nose[2],
                           true,
                           true,
                           false};
            }
        }
        StepFishPass(pool, counts, (frame / 1000) % 2 == 1, food);
        for (FoodTarget& item : food)
            if (item.eaten) {
                ++eaten;
                item = {};
            }
        for (int i = 0; i < kFishPoolSize; ++i) {
            const Fish& f = pool[i];
            ASSERT_TRUE(finite(f)) << "fish " << i << " frame " << frame;
            lowX = std::min(lowX, f.x);
            highX = std::max(highX, f.x);
            lowY = std::min(lowY, f.y);
            highY = std::max(highY, f.y);
            lowZ = std::min(lowZ, f.z);
            highZ = std::max(highZ, f.z);
            lowSpeed = std::min(lowSpeed, f.speed);
            highSpeed = std::max(highSpeed, f.speed);
            crowdedFrames += f.crowded;
            const bool out = f.x < f.xMin || f.x > f.xMax || f.z > f.zMax;
            outside[i] = out ? outside[i] + 1 : 0;
            longestOutside = std::max(longestOutside, outside[i]);
            ASSERT_GE(f.size, 3);
            ASSERT_LE(f.size, 9);
            ASSERT_GE(f.targetPitch, -45);
            ASSERT_LE(f.targetPitch, 45);
            ASSERT_GE(f.targetHeading, -360);
            ASSERT_LE(f.targetHeading, 360);
        }
    }
    std::printf("x %g ... %g  y %g ... %g  z %g ... %g  speed %g ... %g  eaten %d crowded %d "
                "longest outside %d\n",
                lowX, highX, lowY, highY, lowZ, highZ, lowSpeed, highSpeed, eaten, crowdedFrames,
                longestOutside);
    // Top and bottom clamp exactly; the back holds at its line two units inside.
    EXPECT_GE(lowY, -10);
    EXPECT_LE(highY, 21);
    EXPECT_GE(lowZ, -80);
    // The side walls and the front turn a fish back without a hard stop: one that is still
    // swinging round swims on past them until its heading crosses over. Toward a target near
    // 0 the head steps one degree every third frame, so half a turn takes 540 frames; it
    // comes back after that, and never far.
    EXPECT_GT(lowX, -50 - 25);
    EXPECT_LT(highX, 50 + 25);
    EXPECT_LT(highZ, -60 + 10);
    EXPECT_LT(longestOutside, 1200);
    // The rules were exercised: fish crowded each other and ate.
    EXPECT_GT(crowdedFrames, 1000);
    EXPECT_GT(eaten, 0);
    EXPECT_GE(lowSpeed, 0.1f - 1e-6f);
    EXPECT_LE(highSpeed, 0.4f + 1e-6f);
}

} // namespace
