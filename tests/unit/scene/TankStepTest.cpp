// The tank's simulation on its own: ten seconds of steps (1,000 at 10 ms) with no OpenGL
// context at all. Fish and food creatures swim in their boxes, each fish is shown where it was
// before its last step, eaten food leaves the frame, and the same seed gives the same tank.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "tank/scene/Scene.h"

// Last: Xlib's macros would clash with the names above.
#include <GL/glx.h>

namespace quelmarine {
namespace {

constexpr int kSteps = 1000;

AquariumSettingsRecord fullTank() {
    AquariumSettingsRecord settings{};
    settings.showTerra = 1;
    for (std::int32_t& count : settings.fishCount)
        count = 5;
    return settings;
}

struct SteppedTank {
    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    float path[kFishPoolSize] = {};      // distance each fish swam
    float foodPath[kFoodItemCount] = {}; // distance each food creature swam while in the frame
    int foodSteps[kFoodItemCount] = {};  // steps it stayed in the frame
    Vec3f beforeLastStep[kFishPoolSize];
};

SteppedTank stepTank(const AquariumSettingsRecord& settings, unsigned seed) {
    std::srand(seed);
    SteppedTank run;
    Scene& scene = *run.scene;
    scene.Place(settings, 1280, 1024);
    for (int step = 0; step < kSteps; ++step) {
        Vec3f fishBefore[kFishPoolSize], foodBefore[kFoodItemCount];
        for (int i = 0; i < kFishPoolSize; ++i)
            fishBefore[i] = {scene.fishPool[i].x, scene.fishPool[i].y, scene.fishPool[i].z};
        for (int i = 0; i < kFoodItemCount; ++i)
            foodBefore[i] = {scene.food[i].fish.x, scene.food[i].fish.y, scene.food[i].fish.z};
        scene.Step();
        for (int i = 0; i < kFishPoolSize; ++i) {
            const Fish& f = scene.fishPool[i];
            run.path[i] +=
                std::hypot(f.x - fishBefore[i].x, f.y - fishBefore[i].y, f.z - fishBefore[i].z);
            run.beforeLastStep[i] = fishBefore[i];
        }
        for (int i = 0; i < kFoodItemCount; ++i) {
            const FoodFish& f = scene.food[i].fish;
            if (!scene.food[i].active)
                continue;
            ++run.foodSteps[i];
            run.foodPath[i] +=
                std::hypot(f.x - foodBefore[i].x, f.y - foodBefore[i].y, f.z - foodBefore[i].z);
        }
    }
    return run;
}

TEST(TankStep, TenSecondsOfStepsWithoutAnyOpenGLContext) {
    ASSERT_EQ(glXGetCurrentContext(), nullptr);
    const AquariumSettingsRecord settings = fullTank();
    const SteppedTank run = stepTank(settings, 1);
    const Scene& scene = *run.scene;
    const TankBox& tank = scene.tank();

    for (int i = 0; i < kFishPoolSize; ++i) {
        const Fish& f = scene.fishPool[i];
        SCOPED_TRACE(i);
        // Cruising speeds are 0.1 ... 0.4 a step.
        EXPECT_GT(run.path[i], 0.05f * kSteps) << "the fish hardly swam";
        EXPECT_LT(run.path[i], 1.0f * kSteps);
        EXPECT_GE(f.x, -60.0f);
        EXPECT_LE(f.x, 60.0f);
        EXPECT_GE(f.y, tank.tankBottom);
        EXPECT_LE(f.y, tank.tankTop + 5);
        EXPECT_GE(f.z, -95.0f);
        EXPECT_LE(f.z, -45.0f);
        EXPECT_TRUE(f.hasBoxes);
        // Drawn where it was before the step moved it on.
        EXPECT_EQ(f.shown.position.x, run.beforeLastStep[i].x);
        EXPECT_EQ(f.shown.position.y, run.beforeLastStep[i].y);
        EXPECT_EQ(f.shown.position.z, run.beforeLastStep[i].z);
        EXPECT_EQ(f.shown.size, f.size);
    }

    // The fish eat the food they meet; the creatures swim until then.
    int longLived = 0;
    for (int i = 0; i < kFoodItemCount; ++i) {
        const FoodItem& item = scene.food[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(item.active, item.alive != 0) << "only eaten food leaves the frame";
        EXPECT_GT(run.foodPath[i], 0.02f * float(run.foodSteps[i]));
        longLived += run.foodSteps[i] >= 50 ? 1 : 0;
        if (!item.active)
            continue;
        EXPECT_EQ(item.worldPos[0], item.basePos[0] + item.fish.x);
        EXPECT_EQ(item.worldPos[2], item.basePos[2] + item.fish.z);
        EXPECT_LT(std::fabs(item.fish.x), 60.0f);
        EXPECT_LT(std::fabs(item.fish.y), 30.0f);
    }
    EXPECT_GT(longLived, 5);

    // The same seed, the same tank: nothing outside the scene takes part.
    const SteppedTank again = stepTank(settings, 1);
    for (int i = 0; i < kFishPoolSize; ++i) {
        EXPECT_EQ(again.scene->fishPool[i].x, scene.fishPool[i].x) << i;
        EXPECT_EQ(again.scene->fishPool[i].heading, scene.fishPool[i].heading) << i;
    }
    for (int i = 0; i < kFoodItemCount; ++i)
        EXPECT_EQ(again.scene->food[i].worldPos[1], scene.food[i].worldPos[1]) << i;
}

} // namespace
} // namespace quelmarine
