#include "tank/fish/Fish.h"
#include "tank/fish/FishMeshTables.h"
#include "unit/fish/RecordingSink.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quelmarine;
using fishtest::RecordingSink;

namespace {

RecordingSink drawStill(Fish& fish, const FishPose& pose = FishPose{}) {
    RecordingSink sink;
    fish.DrawMeshTo(sink, pose);
    return sink;
}

TEST(FishMeshTest, TablesHaveTheRowsColumnsAndStripsOfEachPart) {
    struct Shape {
        int rows, columns, strips;
        bool mirrored;
    };
    const Shape expected[kFishPartCount] = {
        {5, 10, 4, true}, {3, 5, 2, true}, {3, 5, 2, true},  {2, 11, 1, false}, {2, 6, 1, false},
        {2, 10, 1, true}, {2, 7, 1, true}, {2, 6, 1, false}, {2, 15, 1, false}, {3, 5, 2, true}};
    int quads = 0, vertices = 0;
    for (int p = 0; p < kFishPartCount; ++p) {
        const MeshTable& t = kFishParts[p];
        EXPECT_EQ(t.rows, expected[p].rows) << p;
        EXPECT_EQ(t.columns, expected[p].columns) << p;
        EXPECT_EQ(t.stripCount, expected[p].strips) << p;
        EXPECT_EQ(t.mirrored, expected[p].mirrored) << p;
        quads += t.quadCount();
        vertices += t.vertexCount();
    }
    EXPECT_EQ(quads, 184);
    EXPECT_EQ(vertices, 424);
}

TEST(FishMeshTest, TablesHoldUnitNormalsTheStoredHalfAndTheBodyStations) {
    for (int p = 0; p < kFishPartCount; ++p) {
        const MeshTable& t = kFishParts[p];
        for (int i = 0; i < t.rows * t.columns; ++i) {
            const MeshVertex& v = t.vertices[i];
            EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0f, 1e-4f) << p;
            EXPECT_LE(v.y, 1e-6f) << "part " << p << " vertex " << i << " is on the +y side";
            EXPECT_GE(v.x, -0.5f - 1e-4f);
            EXPECT_LE(v.x, 0.5f + 1e-4f);
            EXPECT_GE(v.z, -0.221f - 1e-4f);
            EXPECT_LE(v.z, 0.221f + 1e-4f);
        }
    }
    const float stations[10] = {-0.462f, -0.397f, -0.301f, -0.233f, -0.153f,
                                -0.045f, 0.076f,  0.184f,  0.265f,  0.332f};
    const MeshTable& body = kFishParts[kFishBody];
    for (int r = 0; r < body.rows; ++r)
        for (int c = 0; c < body.columns; ++c)
            EXPECT_NEAR(body.at(r, c).x, stations[c], 0.004f);
    // The ridges lie on the mirror plane; the head is at -x.
    for (int c = 0; c < body.columns; ++c) {
        EXPECT_EQ(body.at(0, c).y, 0.0f);
        EXPECT_EQ(body.at(4, c).y, 0.0f);
        EXPECT_GT(body.at(0, c).z, body.at(4, c).z);
    }
}

TEST(FishMeshTest, StillFishAtSizeOneSendsTheTableAndItsMirrorImage) {
    Fish fish;
    fish.size = 1;
    const RecordingSink sink = drawStill(fish);
    ASSERT_EQ(sink.strips.size(), 28u);
    EXPECT_EQ(sink.vertexCount(), 424u);
    std::size_t strip = 0;
    for (int p = 0; p < kFishPartCount; ++p) {
        const MeshTable& t = kFishParts[p];
        for (int copy = 0; copy < (t.mirrored ? 2 : 1); ++copy) {
            for (int s = 0; s < t.stripCount; ++s, ++strip) {
                const auto& sent = sink.strips[strip];
                ASSERT_EQ(sent.size(), std::size_t(t.columns * 2));
                for (int j = 0; j < t.columns; ++j) {
                    for (int k = 0; k < 2; ++k) {
                        const int row = k == 0 ? t.strips[s].first : t.strips[s].second;
                        const MeshVertex& v = t.at(row, j);
                        const auto& out = sent[j * 2 + k];
                        const float sign = copy == 1 ? -1.0f : 1.0f;
                        EXPECT_NEAR(out.p[0], v.x, 1e-6f);
                        EXPECT_NEAR(out.p[1], sign * v.y, 1e-6f);
                        EXPECT_NEAR(out.p[2], v.z, 1e-6f);
                        EXPECT_EQ(out.n[1], sign * v.ny);
                        EXPECT_EQ(out.s, v.s);
                        EXPECT_EQ(out.t, v.t);
                    }
                }
            }
        }
    }
}

TEST(FishMeshTest, SizeScalesPositionsButNotNormalsOrTextureCoordinates) {
    Fish six, nine;
    six.size = 6;
    nine.size = 9;
    const RecordingSink a = drawStill(six), b = drawStill(nine);
    ASSERT_EQ(a.strips.size(), b.strips.size());
    for (std::size_t s = 0; s < a.strips.size(); ++s) {
        for (std::size_t v = 0; v < a.strips[s].size(); ++v) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(b.strips[s][v].p[k], a.strips[s][v].p[k] * 1.5f, 1e-5f);
                EXPECT_EQ(b.strips[s][v].n[k], a.strips[s][v].n[k]);
            }
            EXPECT_EQ(b.strips[s][v].s, a.strips[s][v].s);
        }
    }
}

TEST(FishMeshTest, YawOfOneBodyColumnTurnsOnlyThatColumn) {
    Fish fish;
    fish.size = 1;
    FishPose pose;
    pose.yaw[6] = 90;
    const RecordingSink still = drawStill(fish), bent = drawStill(fish, pose);
    const MeshTable& body = kFishParts[kFishBody];
    const int bodyStrips = body.stripCount * 2;
    int turned = 0;
    for (std::size_t s = 0; s < still.strips.size(); ++s) {
        for (std::size_t v = 0; v < still.strips[s].size(); ++v) {
            const auto& a = still.strips[s][v];
            const auto& b = bent.strips[s][v];
            const bool column6 = int(s) < bodyStrips && int(v) / 2 == 6;
            if (column6) {
                // A quarter turn about z through the origin: (x, y) -> (-y, x).
                EXPECT_NEAR(b.p[0], -a.p[1], 1e-6f);
                EXPECT_NEAR(b.p[1], a.p[0], 1e-6f);
                EXPECT_NEAR(b.p[2], a.p[2], 1e-6f);
                EXPECT_EQ(b.n[1], a.n[1]) << "normals are not turned";
                ++turned;
            } else {
                for (int k = 0; k < 3; ++k)
                    EXPECT_EQ(b.p[k], a.p[k]) << "strip " << s << " vertex " << v;
            }
        }
    }
    // Five rows, each in two strips but the ridges, on both sides.
    EXPECT_EQ(turned, 16);
}

TEST(FishMeshTest, WaveKeepsItsSignOnTheMirrorWhileFinFlapsChangeIt) {
    Fish fish;
    fish.size = 1;
    FishPose pose;
    pose.wave[9] = 0.05f;
    pose.pectoral[3] = 0.02f;
    const RecordingSink still = drawStill(fish), moved = drawStill(fish, pose);
    // Body strips 0..3 upper, 4..7 mirrored; column 9 is vertices 18 and 19.
    for (int s = 0; s < 8; ++s)
        for (int v = 18; v < 20; ++v)
            EXPECT_NEAR(moved.strips[s][v].p[1] - still.strips[s][v].p[1], 0.05f, 1e-6f);
    // Pectoral strips follow body (8), jaws (8), dorsal fins (2): strips 18 and 19.
    const auto& upper = moved.strips[18];
    const auto& mirror = moved.strips[19];
    EXPECT_NEAR(upper[6].p[1] - still.strips[18][6].p[1], 0.02f, 1e-6f);
    EXPECT_NEAR(upper[6].p[2] - still.strips[18][6].p[2], 0.02f, 1e-6f);
    EXPECT_NEAR(mirror[6].p[1] - still.strips[19][6].p[1], -0.02f, 1e-6f);
    EXPECT_NEAR(mirror[6].p[2] - still.strips[19][6].p[2], 0.02f, 1e-6f);
    // The fin's base row stays on the body.
    EXPECT_EQ(upper[7].p[1], still.strips[18][7].p[1]);
}

TEST(FishMeshTest, JawsOpenUpAndDown) {
    Fish fish;
    fish.size = 1;
    FishPose pose;
    pose.jawUpper[0] = 0.01f;
    pose.jawLower[0] = 0.02f;
    const RecordingSink still = drawStill(fish), open = drawStill(fish, pose);
    // Upper jaw strips 8..11, lower 12..15; column 0 is the first vertex pair.
    EXPECT_NEAR(open.strips[8][0].p[2] - still.strips[8][0].p[2], 0.01f, 1e-6f);
    EXPECT_NEAR(open.strips[10][1].p[2] - still.strips[10][1].p[2], 0.01f, 1e-6f);
    EXPECT_NEAR(open.strips[12][0].p[2] - still.strips[12][0].p[2], -0.02f, 1e-6f);
    EXPECT_EQ(open.strips[12][2].p[2], still.strips[12][2].p[2]);
}

} // namespace
