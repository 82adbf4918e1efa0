// A second dialog opens beside the first, never on top of it.
#include <gtest/gtest.h>

#include "desktop/dialogs/DialogPlacement.h"

namespace quelmarine {
namespace {

const QRect kScreen(0, 0, 1280, 1024);

QRect centred(int w, int h, const QRect& area = kScreen) {
    return QRect(area.center().x() - w / 2, area.center().y() - h / 2, w, h);
}

TEST(DialogPlacement, OpensWhereItWantsWhenTheOtherIsElsewhere) {
    const QRect open(10, 10, 300, 200);
    const DialogPlaces places = placeBeside(centred(500, 400), open, kScreen, 8, 24);
    EXPECT_EQ(places.opening, centred(500, 400));
    EXPECT_EQ(places.open, open);
}

TEST(DialogPlacement, OpensOnTheSideWithRoomLevelWithTheOther) {
    const QRect open(100, 300, 400, 420); // left of the middle: room on the right
    const DialogPlaces places = placeBeside(centred(500, 400), open, kScreen, 8, 24);
    EXPECT_EQ(places.open, open) << "the open one stays";
    EXPECT_EQ(places.opening, QRect(508, 300, 500, 400));
    const QRect right(800, 300, 400, 420); // right of the middle: room on the left
    EXPECT_EQ(placeBeside(centred(500, 400), right, kScreen, 8, 24).opening,
              QRect(292, 300, 500, 400));
}

TEST(DialogPlacement, MovesTheOpenOneOverWhenNeitherSideHasRoom) {
    // Both centred on 1280 pixels: 526 + 8 + 506 fit side by side, but not beside the middle.
    const QRect open = centred(526, 460);
    const DialogPlaces places = placeBeside(centred(506, 430), open, kScreen, 8, 24);
    EXPECT_FALSE(places.opening.intersects(places.open));
    EXPECT_TRUE(kScreen.contains(places.opening));
    EXPECT_TRUE(kScreen.contains(places.open));
    EXPECT_EQ(places.open.size(), open.size());
    EXPECT_EQ(places.open.top(), open.top()) << "moved sideways only";
    EXPECT_EQ(places.opening.top(), open.top());
    EXPECT_EQ(places.opening.left() - places.open.right() - 1, 8) << "the gap between them";
    EXPECT_EQ(places.open.left(), kScreen.right() - places.opening.right()) << "the pair centred";
}

TEST(DialogPlacement, OnANarrowScreenTheTitlesStayInSight) {
    const QRect small(0, 0, 800, 600);
    const QRect open = centred(526, 460, small);
    const DialogPlaces places = placeBeside(centred(506, 430, small), open, small, 8, 30);
    EXPECT_EQ(places.open, open);
    EXPECT_EQ(places.opening.topLeft(), open.topLeft() + QPoint(30, 30));
    EXPECT_TRUE(small.contains(places.opening));
    // Against the screen's bottom right: kept inside, still below and right of the other's top.
    const QRect corner(800 - 526, 600 - 460, 526, 460);
    const QRect inside = placeBeside(centred(506, 430, small), corner, small, 8, 30).opening;
    EXPECT_TRUE(small.contains(inside));
    EXPECT_GT(inside.top(), corner.top());
}

} // namespace
} // namespace quelmarine
