#include "tank/scene/TankBox.h"

#include <gtest/gtest.h>

using namespace quelmarine;

namespace {
// Half the width the camera sees at the backdrop's depth, for a screen of this size.
double visibleHalfWidthAtBackdrop(int w, int h) {
    const Frustum f = frustumFor(w, h);
    return f.right * 80.0; // backdrop at z = -90, camera at z = -10
}
} // namespace

TEST(TankBox, ListedScreenSizesKeepTheirTable) {
    struct Row {
        int w, h;
        float right;
    };
    for (Row row : {Row{800, 600, 49}, Row{1024, 768, 49}, Row{1280, 960, 49}, Row{1280, 1024, 49},
                    Row{1440, 900, 55}, Row{1600, 900, 58}, Row{1680, 1050, 54}}) {
        TankBox box = ComputeTankBox(row.w, row.h);
        EXPECT_EQ(box.tankRight, row.right) << row.w << "x" << row.h;
        EXPECT_EQ(box.tankLeft, -row.right) << row.w << "x" << row.h;
        EXPECT_EQ(box.tankTop, 21);
        EXPECT_EQ(box.tankBottom, -21);
        EXPECT_EQ(box.tankBack, -50);
    }
}

TEST(TankBox, OtherSizesAreCoveredByTheBackdropAndNeverNarrowerThanFourByThree) {
    struct Size {
        int w, h;
    };
    for (Size s : {Size{1920, 1080}, Size{2560, 1080}, Size{3840, 2160}, Size{1366, 768},
                   Size{1080, 1920}, Size{1280, 800}, Size{640, 480}, Size{5120, 1440}}) {
        TankBox box = ComputeTankBox(s.w, s.h);
        EXPECT_GE(box.tankRight, 49) << s.w << "x" << s.h;
        EXPECT_EQ(box.tankLeft, -box.tankRight);
        // The backdrop spans tankLeft .. tankRight; its top corners sway inwards by up to 0.5.
        EXPECT_GE(box.tankRight - 0.5, visibleHalfWidthAtBackdrop(s.w, s.h)) << s.w << "x" << s.h;
    }
    EXPECT_EQ(ComputeTankBox(1920, 1080).tankRight, 58); // as wide as the listed 16:9 size
    EXPECT_EQ(ComputeTankBox(1080, 1920).tankRight, 49); // portrait: the 4:3 box
}

TEST(TankBox, DegenerateScreenSizesStillGiveAValidBox) {
    for (auto [w, h] : {std::pair{0, 0}, std::pair{-5, 100}, std::pair{100000, 1}}) {
        TankBox box = ComputeTankBox(w, h);
        EXPECT_LT(box.tankLeft, box.tankRight);
    }
}

TEST(Frustum, FollowsTheScreensAspect) {
    Frustum wide = frustumFor(1024, 768);
    EXPECT_NEAR(wide.left, -0.5333, 1e-4);
    EXPECT_NEAR(wide.right, 0.5333, 1e-4);
    EXPECT_DOUBLE_EQ(wide.bottom, -0.4);
    EXPECT_DOUBLE_EQ(wide.top, 0.4);
    EXPECT_DOUBLE_EQ(wide.nearPlane, 1.0);
    EXPECT_DOUBLE_EQ(wide.farPlane, 1000.0);
    Frustum tall = frustumFor(768, 1024);
    EXPECT_DOUBLE_EQ(tall.left, -0.4);
    EXPECT_NEAR(tall.top, 0.5333, 1e-4);
    Frustum square = frustumFor(500, 500);
    EXPECT_DOUBLE_EQ(square.right, 0.4);
    EXPECT_DOUBLE_EQ(square.top, 0.4);
}
