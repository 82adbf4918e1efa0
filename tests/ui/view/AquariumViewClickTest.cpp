// Quick clicks through Qt's window-system layer into the tank's window: the press and the
// release both arrive before the next frame, as a touchpad tap's do, and the fish under the
// mouse is still zoomed, once.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "desktop/view/AquariumView.h"

namespace quelmarine {
namespace {

TEST(AquariumViewClick, AQuickClickZoomsTheFishUnderTheMouseOnce) {
    AquariumView view;
    view.resize(320, 240);
    QSignalSpy shown(&view, &AquariumView::firstFrameShown);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(shown.count() > 0 || shown.wait(5000));
    const QPoint centre(160, 120);
    Fish& fish = view.scene().fishPool[0];
    for (auto [mode, expected] : {std::pair{kModeZoomInFish, 8}, std::pair{kModeZoomOutFish, 4}}) {
        view.mouseHandling().OnCommand(mode);
        // In the middle of the screen, and the click right after, before the next frame.
        fish.x = 0, fish.y = 0, fish.z = -70;
        fish.size = 6;
        QTest::mouseClick(&view, Qt::LeftButton, {}, centre);
        EXPECT_TRUE(QTest::qWaitFor([&] { return fish.size != 6; }, 2000)) << mode;
        EXPECT_EQ(fish.size, expected) << mode;
        QTest::qWait(100); // about ten frames
        EXPECT_EQ(fish.size, expected) << mode << ": one click, one step";
    }
}

} // namespace
} // namespace quelmarine
