#include "tank/fish/Matrix4.h"
#include "tank/fish/PartModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quelmarine;

namespace {

struct Model : PartModel {};

TEST(Matrix4Test, IdentityIsColumnMajorWithTheOneOnTheDiagonal) {
    Matrix4 m{};
    for (float& v : m.m)
        v = 7;
    SetIdentity(m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
}

TEST(Matrix4Test, ZeroAxisGivesTheIdentityWhateverTheAngle) {
    Matrix4 m{};
    MakeRotation(m, 0.5f, 0, 0, 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], kIdentityMatrix[i]);
    Model model;
    model.SetPartRotation(30, 0, 0, 0);
    float out[3];
    model.TransformPosition(0.3f, -0.2f, 0.1f, out);
    EXPECT_FLOAT_EQ(out[0], 0.3f);
    EXPECT_FLOAT_EQ(out[1], -0.2f);
    EXPECT_FLOAT_EQ(out[2], 0.1f);
}

TEST(Matrix4Test, RotationIsCounterClockwiseAboutTheAxis) {
    Model model;
    model.SetPartRotation(90, 0, 0, 1);
    float out[3];
    model.TransformPosition(1, 0, 0, out);
    EXPECT_NEAR(out[0], 0, 1e-6);
    EXPECT_NEAR(out[1], 1, 1e-6);
    EXPECT_NEAR(out[2], 0, 1e-6);
    // About x: y goes to z.
    model.SetPartRotation(90, 1, 0, 0);
    model.TransformPosition(0, 1, 0, out);
    EXPECT_NEAR(out[2], 1, 1e-6);
    // The translation column and the bottom row are those of a pure rotation.
    const Matrix4& m = model.partMatrix();
    EXPECT_EQ(m[3], 0);
    EXPECT_EQ(m[7], 0);
    EXPECT_EQ(m[11], 0);
    EXPECT_EQ(m[12], 0);
    EXPECT_EQ(m[13], 0);
    EXPECT_EQ(m[14], 0);
    EXPECT_EQ(m[15], 1);
}

TEST(Matrix4Test, AxisLengthDoesNotMatterAndTheResultIsOrthonormal) {
    Matrix4 unit{}, longer{};
    MakeRotation(unit, 0.7f, 0, 0, 1);
    MakeRotation(longer, 0.7f, 0, 0, 2);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(unit[i], longer[i], 1e-6) << i;

    Matrix4 m{};
    MakeRotation(m, 1.3f, 0.3f, -0.8f, 0.5f);
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            float dot = 0;
            for (int r = 0; r < 3; ++r)
                dot += m[4 * a + r] * m[4 * b + r];
            EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-5) << a << "," << b;
        }
    }
    // A point on the axis stays where it is.
    Model model;
    model.SetPartRotation(75, 0.3f, -0.8f, 0.5f);
    float out[3];
    model.TransformPosition(0.6f, -1.6f, 1.0f, out);
    EXPECT_NEAR(out[0], 0.6f, 1e-5);
    EXPECT_NEAR(out[1], -1.6f, 1e-5);
    EXPECT_NEAR(out[2], 1.0f, 1e-5);
}

} // namespace
