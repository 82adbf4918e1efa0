#include "tank/scene/BackdropSurface.h"

#include <gtest/gtest.h>

using namespace quelmarine;

namespace {
TankBox box1024() {
    return ComputeTankBox(1024, 768);
}
} // namespace

TEST(BezierQuintic, EndsAtTheLastAndFirstPoints) {
    const Point3d p[6] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 1, 1}, {2, 2, 2}, {-3, 0, 5}};
    Point3d atOne = BezierQuintic(1.0, p);
    Point3d atZero = BezierQuintic(0.0, p);
    EXPECT_DOUBLE_EQ(atOne.x, 1);
    EXPECT_DOUBLE_EQ(atOne.z, 3);
    EXPECT_DOUBLE_EQ(atZero.x, -3);
    EXPECT_DOUBLE_EQ(atZero.z, 5);
    // Points on a straight line at equal spacing give a linear curve.
    const Point3d line[6] = {{5, 0, 0}, {4, 0, 0}, {3, 0, 0}, {2, 0, 0}, {1, 0, 0}, {0, 0, 0}};
    EXPECT_NEAR(BezierQuintic(0.5, line).x, 2.5, 1e-12);
    EXPECT_NEAR(BezierQuintic(0.3, line).x, 1.5, 1e-12);
}

TEST(BackdropSurface, ControlPointsFollowTheTankAndOnlyTheTopRowsSway) {
    BackdropSurface surface;
    surface.BuildBackdropPoints(box1024(), 0);
    const float sway = surface.backdropSway;
    EXPECT_FLOAT_EQ(sway, 0.008f);
    EXPECT_EQ(surface.backdropDivisions, 2);
    const double d = (49.0 + 49.0) * 0.2;
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(surface.backdropPoints[5][k].x, -49.0 + k * d, 1e-4);
        EXPECT_DOUBLE_EQ(surface.backdropPoints[5][k].z, -90.0);
        EXPECT_DOUBLE_EQ(surface.backdropPoints[2][k].z, -90.0);
        EXPECT_NEAR(surface.backdropPoints[0][k].x, -49.0 + k * d + sway, 1e-4);
        EXPECT_NEAR(surface.backdropPoints[1][k].z, k % 2 == 0 ? sway - 90.0 : -90.0 - sway, 1e-4);
    }
    EXPECT_DOUBLE_EQ(surface.backdropPoints[0][0].y, 39.0);
    EXPECT_DOUBLE_EQ(surface.backdropPoints[1][0].y, double(23.6f));
    EXPECT_DOUBLE_EQ(surface.backdropPoints[5][0].y, -38.0);
    EXPECT_NEAR(surface.backdropPoints[5][5].x, 49.0, 1e-4);
}

TEST(BackdropSurface, SwayTravelsBetweenAboutMinusHalfAndOne) {
    BackdropSurface surface;
    float low = 0, high = 0;
    int turns = 0;
    bool wasUp = true;
    for (int frame = 0; frame < 2000; ++frame) {
        surface.BuildBackdropPoints(box1024(), 2);
        low = std::min(low, surface.backdropSway);
        high = std::max(high, surface.backdropSway);
        if (surface.backdropSwayUp != wasUp)
            ++turns;
        wasUp = surface.backdropSwayUp;
    }
    EXPECT_NEAR(high, 1.0, 0.01);
    EXPECT_NEAR(low, -0.5, 0.01);
    EXPECT_GE(turns, 8); // a full swing takes about 375 frames
}

TEST(BackdropSurface, OtherBackgroundScenesHoldTheSwayStill) {
    BackdropSurface surface;
    surface.BuildBackdropPoints(box1024(), 1);
    surface.BuildBackdropPoints(box1024(), 3);
    EXPECT_EQ(surface.backdropSway, 0.0f);
    EXPECT_DOUBLE_EQ(surface.backdropPoints[0][0].x, -49.0);
}
