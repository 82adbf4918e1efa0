// Drawing moves nothing: 300 full frames of the tank, and a twin tank from the same seed that
// only steps, end with every fish, food creature and bubble in the same place, and with the
// random sequence at the same point.

#include "support/OffscreenGl.h"
#include "support/SceneStart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace quelmarine;

namespace {

constexpr int kFrames = 300;

TEST(StepWithoutDrawing, AStepOnlyTwinEndsWhereTheDrawnTankEnds) {
    testsupport::writeSettingsFile(testsupport::kFullTankSettings);
    testsupport::OffscreenGl gl(640, 512);
    ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context";

    std::srand(1);
    auto drawn = std::make_unique<Scene>();
    testsupport::startScene(*drawn, 1280, 1024);
    for (int frame = 0; frame < kFrames; ++frame)
        drawn->RenderFrame(640, 512);
    const int drawnNext = std::rand();

    std::srand(1);
    auto stepped = std::make_unique<Scene>();
    stepped->Place(AquariumSettings, 1280, 1024);
    for (int frame = 0; frame < kFrames; ++frame)
        stepped->Step();
    EXPECT_EQ(std::rand(), drawnNext) << "drawing draws random numbers";

    for (int i = 0; i < kFishPoolSize; ++i) {
        const Fish &a = drawn->fishPool[i], &b = stepped->fishPool[i];
        EXPECT_EQ(a.x, b.x) << i;
        EXPECT_EQ(a.y, b.y) << i;
        EXPECT_EQ(a.z, b.z) << i;
        EXPECT_EQ(a.heading, b.heading) << i;
        EXPECT_EQ(a.pitch, b.pitch) << i;
        EXPECT_EQ(a.bodyWave.phase, b.bodyWave.phase) << i;
    }
    for (int i = 0; i < kFoodItemCount; ++i) {
        EXPECT_EQ(drawn->food[i].active, stepped->food[i].active) << i;
        EXPECT_EQ(drawn->food[i].worldPos[0], stepped->food[i].worldPos[0]) << i;
        EXPECT_EQ(drawn->food[i].worldPos[1], stepped->food[i].worldPos[1]) << i;
    }
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < kBubblePool; ++i)
            EXPECT_EQ(drawn->bubbleEmitters[k].particle(i).y,
                      stepped->bubbleEmitters[k].particle(i).y)
                << k << " " << i;
    EXPECT_EQ(drawn->backdrop.backdropSway, stepped->backdrop.backdropSway);
}

} // namespace
