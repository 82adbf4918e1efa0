#include "tank/scene/TextOverlay.h"

#include <gtest/gtest.h>

#include "tank/scene/Scene.h"

namespace quelmarine {
namespace {

// The overlay as the view drives it: one clock step per frame, F1 through the scene.
class TextOverlayClock : public ::testing::Test {
  protected:
    int framesShown(int frames) {
        int shown = 0;
        for (int i = 0; i < frames; ++i)
            shown += stepOverlayClock(scene.overlayVisible, counter) ? 1 : 0;
        return shown;
    }
    Scene scene;
    std::int32_t counter = 0;
};

TEST_F(TextOverlayClock, ShownForAHundredFramesAfterStartThenHidesItself) {
    EXPECT_TRUE(scene.overlayVisible);
    EXPECT_EQ(framesShown(100), 100);
    EXPECT_TRUE(scene.overlayVisible);
    EXPECT_EQ(framesShown(500), 0);
    EXPECT_FALSE(scene.overlayVisible);
    EXPECT_EQ(counter, 0);
}

TEST_F(TextOverlayClock, F1AfterItHidItselfShowsItForAnotherHundredFrames) {
    framesShown(200);
    scene.ToggleOverlay();
    EXPECT_EQ(framesShown(300), 100);
}

TEST_F(TextOverlayClock, F1WhileShownHidesAtOnceAndKeepsTheCount) {
    EXPECT_EQ(framesShown(30), 30);
    scene.ToggleOverlay();
    EXPECT_EQ(framesShown(50), 0);
    EXPECT_EQ(counter, 30);
    scene.ToggleOverlay();
    EXPECT_EQ(framesShown(300), 70) << "only the frames left of the hundred";
}

} // namespace
} // namespace quelmarine
