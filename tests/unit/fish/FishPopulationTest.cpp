#include "tank/fish/FishPopulation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace quelmarine;

namespace {

TEST(SpeciesRangesTest, SlotsFollowTheCountsInSpeciesOrder) {
    const std::int32_t counts[5] = {2, 0, 3, 0, 0};
    EXPECT_EQ(fishInUse(counts), 5);
    const int expected[7] = {0, 0, 2, 2, 2, -1, -1};
    for (int slot = 0; slot < 7; ++slot)
        EXPECT_EQ(speciesOfSlot(counts, slot), expected[slot]) << slot;
    const std::int32_t more[5] = {3, 0, 3, 0, 0};
    EXPECT_EQ(speciesOfSlot(more, 2), 0) << "slot 2 changes species, not fish";
    EXPECT_EQ(speciesOfSlot(more, 5), 2) << "slot 5 comes into use as species 2";
}

TEST(SpeciesRangesTest, NoFishNegativeCountsAndTotalsAboveTwentyFive) {
    const std::int32_t none[5] = {0, 0, 0, 0, 0};
    EXPECT_EQ(fishInUse(none), 0);
    EXPECT_EQ(speciesOfSlot(none, 0), -1);
    const std::int32_t negative[5] = {-4, 2, -1, 1, 0};
    EXPECT_EQ(fishInUse(negative), 3);
    EXPECT_EQ(speciesOfSlot(negative, 0), 1);
    EXPECT_EQ(speciesOfSlot(negative, 2), 3);
    const std::int32_t many[5] = {20, 20, 20, 0, 5};
    EXPECT_EQ(fishInUse(many), 25);
    EXPECT_EQ(speciesOfSlot(many, 19), 0);
    EXPECT_EQ(speciesOfSlot(many, 20), 1);
    EXPECT_EQ(speciesOfSlot(many, 24), 1);
    EXPECT_EQ(speciesOfSlot(many, 25), -1) << "slots from 25 on are ignored";
    const std::int32_t huge[5] = {2147483647, 2147483647, 1, 1, 1};
    EXPECT_EQ(fishInUse(huge), 25) << "no overflow";
    EXPECT_EQ(speciesOfSlot(huge, 24), 0);
}

TEST(PlaceAllFishTest, FourteenDrawsPerSlotAndTheSwimmingBoxOfTheTank) {
    std::vector<Fish> pool(kFishPoolSize);
    std::srand(77);
    std::vector<int> draws(kFishPoolSize * 14);
    for (int& d : draws)
        d = std::rand();
    std::srand(77);
    PlaceAllFish(pool, 21, -21);
    for (int i = 0; i < kFishPoolSize; ++i) {
        const int* d = &draws[i * 14];
        EXPECT_EQ(pool[i].x, float(d[4] % 100 - 50)) << i;
        EXPECT_EQ(pool[i].y, float(d[5] % 30 - 15)) << i;
        EXPECT_EQ(pool[i].z, float(d[6] % 20 - 80)) << i;
        EXPECT_EQ(pool[i].xMin, -50);
        EXPECT_EQ(pool[i].xMax, 50);
        EXPECT_EQ(pool[i].yMax, 21);
        EXPECT_EQ(pool[i].yMin, -10);
        EXPECT_EQ(pool[i].zMin, -80);
        EXPECT_EQ(pool[i].zMax, -60);
    }
    const int next = std::rand();
    std::srand(77);
    for (std::size_t k = 0; k < draws.size(); ++k)
        std::rand();
    EXPECT_EQ(next, std::rand()) << "exactly 14 draws per slot";
}

} // namespace
