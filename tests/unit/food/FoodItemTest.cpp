// The food item's life: construction, Init, Eat, and dropping into the lowest free slot.
#include <array>
#include <gtest/gtest.h>

#include "tank/fish/FoodItem.h"

using namespace quelmarine;

TEST(FoodItem, StartsActiveAtARandomPointInTheDropPlane) {
    for (int i = 0; i < 40; ++i) {
        FoodItem item;
        EXPECT_TRUE(item.active);
        EXPECT_GE(item.basePos[0], -30);
        EXPECT_LE(item.basePos[0], 29);
        EXPECT_GE(item.basePos[1], -15);
        EXPECT_LE(item.basePos[1], 14);
        EXPECT_EQ(item.basePos[2], -70);
    }
}

TEST(FoodItem, InitMakesItAliveWithTheSharedPictureAndTheRelativeBox) {
    FoodItem item;
    item.worldPos[0] = 5;
    item.Init(42);
    EXPECT_EQ(item.alive, 1.0f);
    EXPECT_EQ(item.texture, 42u);
    EXPECT_EQ(item.worldPos[0], 0);
    EXPECT_EQ(item.fish.xMin, -50);
    EXPECT_EQ(item.fish.xMax, 50);
    EXPECT_EQ(item.fish.yMax, 21);
    EXPECT_EQ(item.fish.yMin, -10);
    EXPECT_EQ(item.fish.zMin, -80);
    EXPECT_EQ(item.fish.zMax, -60);
}

TEST(FoodItem, EatKillsItAndSendsTheCreatureBackToTheDropPoint) {
    FoodItem item;
    item.Init(7);
    item.fish.x = 3;
    item.fish.y = -2;
    item.fish.z = -8;
    item.Eat();
    EXPECT_EQ(int(item.alive), 0);
    EXPECT_EQ(item.fish.x, 0);
    EXPECT_EQ(item.fish.y, 0);
    EXPECT_EQ(item.fish.z, 0);
    EXPECT_TRUE(item.active) << "it stays in its slot until its next draw";
}

TEST(FoodItem, DropReusesTheLowestFreeSlotAndKeepsThePicture) {
    std::array<FoodItem, kFoodItemCount> food;
    for (auto& item : food)
        item.Init(9);
    food[4].active = false;
    food[11].active = false;
    food[4].Eat();
    food[11].Eat();

    ASSERT_TRUE(DropFood(food, 1.5f, 2.5f, -70));
    EXPECT_TRUE(food[4].active);
    EXPECT_EQ(food[4].alive, 1.0f);
    EXPECT_EQ(food[4].basePos[0], 1.5f);
    EXPECT_EQ(food[4].basePos[1], 2.5f);
    EXPECT_EQ(food[4].basePos[2], -70);
    EXPECT_EQ(food[4].texture, 9u) << "dropping never loads another picture";
    EXPECT_FALSE(food[11].active);

    ASSERT_TRUE(DropFood(food, -4, 0, -70));
    EXPECT_TRUE(food[11].active);
    EXPECT_EQ(food[11].basePos[0], -4);
}

TEST(FoodItem, AFullSetDropsNothing) {
    std::array<FoodItem, kFoodItemCount> food;
    for (auto& item : food)
        item.Init(3);
    std::array<float, kFoodItemCount> before{};
    for (int i = 0; i < kFoodItemCount; ++i)
        before[i] = food[i].basePos[0];
    EXPECT_FALSE(DropFood(food, 25, 25, -70));
    for (int i = 0; i < kFoodItemCount; ++i) {
        EXPECT_TRUE(food[i].active);
        EXPECT_EQ(food[i].basePos[0], before[i]);
    }
}
