// Fish and live food: steering toward food in reach and eating what the nose touches.
#include <array>
#include <gtest/gtest.h>

#include "tank/fish/FishRules.h"
#include "tank/fish/FoodItem.h"

using namespace quelmarine;

namespace {

// A settled fish at (x, y, z) heading 0 (toward -x), level, with its nose computed.
Fish fishAt(float x, float y, float z) {
    Fish f;
    f.SetBounds(-50, 50, 11, -15, -80, -60);
    f.x = x, f.y = y, f.z = z;
    f.heading = f.targetHeading = f.turnTarget = 0;
    f.turnReached = f.turnSettled = true;
    f.pitch = f.targetPitch = 0;
    f.UpdateDirectionFlags();
    f.UpdateBoxes();
    return f;
}

struct Tank {
    std::array<Fish, 2> fish;
    std::array<FoodItem, kFoodItemCount> food;
    std::array<FoodTarget, kFoodItemCount> targets;

    Tank() {
        fish = {fishAt(0, 0, -70), fishAt(20, 0, -70)};
        for (auto& item : food) {
            item.Init(1);
            item.worldPos[0] = 40, item.worldPos[1] = 40, item.worldPos[2] = -70; // far away
        }
    }
    void placeFood(int slot, float x, float y, float z) {
        food[slot].worldPos[0] = x, food[slot].worldPos[1] = y, food[slot].worldPos[2] = z;
    }
    void eatCheck(int i) {
        FillFoodTargets(food, targets);
        EatCheck(fish, i, targets);
        EatMarkedFood(food, targets);
    }
    void feedSteer(int i) {
        FillFoodTargets(food, targets);
        FeedSteer(fish, i, targets);
    }
    const float* nose(int i) const { return fish[i].nose; }
};

} // namespace

TEST(EatCheck, ANoseWithinReachEatsTheItem) {
    Tank t;
    t.placeFood(5, t.nose(0)[0] + 1.4f, t.nose(0)[1] - 1.4f, t.nose(0)[2] + 1.9f);
    t.eatCheck(0);
    EXPECT_EQ(int(t.food[5].alive), 0);
    EXPECT_TRUE(t.food[5].active) << "it vanishes at its next draw";
    for (int i = 0; i < kFoodItemCount; ++i)
        EXPECT_EQ(t.food[i].alive, i == 5 ? 0.0f : 1.0f) << i;
}

TEST(EatCheck, ReachIsOneAndAHalfAcrossAndTwoInDepth) {
    Tank t;
    t.placeFood(0, t.nose(0)[0] + 1.5f, t.nose(0)[1], t.nose(0)[2]);
    t.placeFood(1, t.nose(0)[0], t.nose(0)[1] - 1.5f, t.nose(0)[2]);
    t.placeFood(2, t.nose(0)[0], t.nose(0)[1], t.nose(0)[2] - 2.0f);
    t.eatCheck(0);
    EXPECT_EQ(t.food[0].alive, 1.0f);
    EXPECT_EQ(t.food[1].alive, 1.0f);
    EXPECT_EQ(t.food[2].alive, 1.0f);
}

TEST(EatCheck, InactiveOrEatenItemsAreNotEaten) {
    Tank t;
    t.placeFood(3, t.nose(0)[0], t.nose(0)[1], t.nose(0)[2]);
    t.food[3].active = false;
    t.eatCheck(0);
    EXPECT_EQ(t.food[3].alive, 1.0f);

    // Two fish at one item in one frame: the first eats it, the second finds it gone.
    t.food[3].active = true;
    t.fish[1] = fishAt(0, 0, -70);
    FillFoodTargets(t.food, t.targets);
    EatCheck(t.fish, 0, t.targets);
    EXPECT_TRUE(t.targets[3].eaten);
    t.targets[3].eaten = false;
    EatCheck(t.fish, 1, t.targets);
    EXPECT_FALSE(t.targets[3].eaten);
}

TEST(FeedSteer, FoodWithinTenAcrossMakesTheFishHungryAndFast) {
    Tank t;
    t.placeFood(7, t.nose(0)[0] - 9, t.nose(0)[1] + 9, -75);
    t.fish[0].speed = 0.1f;
    t.feedSteer(0);
    EXPECT_TRUE(t.fish[0].eating);
    EXPECT_FLOAT_EQ(t.fish[0].speed, 0.2f);

    t.placeFood(7, t.nose(0)[0] - 10, t.nose(0)[1], -70);
    t.feedSteer(0);
    EXPECT_FALSE(t.fish[0].eating) << "ten units away is out of reach";
}

TEST(FeedSteer, CloseFoodSlowsTheFishAgain) {
    Tank t;
    t.placeFood(0, t.nose(0)[0] - 2, t.nose(0)[1] + 2, t.nose(0)[2]);
    t.fish[0].speed = 0.1f;
    t.feedSteer(0);
    EXPECT_TRUE(t.fish[0].eating);
    EXPECT_FLOAT_EQ(t.fish[0].speed, 0.1f) << "eased to 0.2, then back to 0.1 within 3 units";
}

TEST(FeedSteer, TurnsTowardFoodAheadAtAnAngle) {
    Tank t;
    // Ahead along -x and 5 units toward +z. The angle is taken at the fish's centre, 3 units
    // behind the nose of a size-6 fish: atan(5 / 8), about 32 degrees, toward +z.
    t.placeFood(0, t.nose(0)[0] - 5, t.nose(0)[1], t.nose(0)[2] + 5);
    t.feedSteer(0);
    EXPECT_EQ(t.fish[0].targetHeading, 32);
}

TEST(FeedSteer, OnlyActiveItemsCountAndNoneClearsEating) {
    Tank t;
    t.fish[0].eating = true;
    t.placeFood(0, t.nose(0)[0] - 1, t.nose(0)[1], t.nose(0)[2]);
    for (auto& item : t.food)
        item.active = false;
    t.feedSteer(0);
    EXPECT_FALSE(t.fish[0].eating);
}
