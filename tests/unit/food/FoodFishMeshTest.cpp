// The food creature's mesh: the organisation of its 23 parts and how they take their inputs.
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "tank/fish/FoodFish.h"

using namespace quelmarine;

namespace {

struct Emitted {
    float p[3];
    float n[3];
};

// Records the strips the draw routine sends (positions through the part matrix).
struct RecordingSink {
    std::vector<std::vector<Emitted>> strips;
    void BeginStrip() { strips.emplace_back(); }
    void EndStrip() {}
    void Vertex(PartModel& model, float x, float y, float z, float nx, float ny, float nz, float,
                float) {
        Emitted e{};
        model.TransformPosition(x, y, z, e.p);
        e.n[0] = nx, e.n[1] = ny, e.n[2] = nz;
        strips.back().push_back(e);
    }
};

struct PartShape {
    int strips, columns;
    bool mirrored;
};

// The organisation the creature must have, part by part in drawing order.
constexpr PartShape kExpected[kFoodFishPartCount] = {
    {13, 11, false}, {4, 5, false},  {6, 5, false}, {6, 5, false}, {4, 5, false}, {4, 5, false},
    {1, 11, false},  {1, 12, false}, {4, 7, true},  {6, 5, true},  {6, 5, true},  {5, 5, true},
    {5, 5, true},    {5, 5, true},   {6, 5, true},  {6, 5, true},  {8, 5, true},  {7, 5, true},
    {6, 5, true},    {7, 5, true},   {7, 5, true},  {1, 8, true},  {1, 8, true},
};

std::vector<std::vector<Emitted>> record(FoodFish& f, const FoodFishPose& pose) {
    RecordingSink sink;
    f.DrawMeshTo(sink, pose);
    return sink.strips;
}

// The strips of part `part` within a full recording.
std::vector<std::vector<Emitted>> stripsOf(const std::vector<std::vector<Emitted>>& all, int part) {
    int first = 0;
    for (int k = 0; k < part; ++k)
        first += kExpected[k].strips * (kExpected[k].mirrored ? 2 : 1);
    const int count = kExpected[part].strips * (kExpected[part].mirrored ? 2 : 1);
    return {all.begin() + first, all.begin() + first + count};
}

} // namespace

TEST(FoodFishMesh, HasABodyAnd22FurtherPartsWithTheListedOrganisation) {
    for (int k = 0; k < kFoodFishPartCount; ++k) {
        const MeshTable& t = kFoodFishParts[k];
        EXPECT_EQ(t.stripCount, kExpected[k].strips) << "part " << k + 1;
        EXPECT_EQ(t.columns, kExpected[k].columns) << "part " << k + 1;
        EXPECT_EQ(t.mirrored, kExpected[k].mirrored) << "part " << k + 1;
        for (int s = 0; s < t.stripCount; ++s) {
            EXPECT_LT(t.strips[s].first, t.rows);
            EXPECT_LT(t.strips[s].second, t.rows);
        }
    }
    FoodFish f;
    const auto strips = record(f, FoodFishPose{});
    int expectedStrips = 0;
    for (const auto& e : kExpected)
        expectedStrips += e.strips * (e.mirrored ? 2 : 1);
    EXPECT_EQ(int(strips.size()), expectedStrips);
}

TEST(FoodFishMesh, BodyIsFourteenClosedRingsAlongY) {
    const MeshTable& body = kFoodFishParts[kFoodBody];
    ASSERT_EQ(body.rows, 14);
    EXPECT_NEAR(body.at(0, 0).y, 0.31f, 1e-4);
    EXPECT_NEAR(body.at(13, 0).y, -0.41f, 1e-4);
    float zLow = 1, zHigh = -1, widest = 0;
    for (int r = 0; r < body.rows; ++r) {
        float xLow = 1, xHigh = -1;
        for (int c = 0; c < body.columns; ++c) {
            const MeshVertex& v = body.at(r, c);
            EXPECT_NEAR(v.y, body.at(r, 0).y, 1e-6) << "a ring lies in one x-z plane";
            xLow = std::min(xLow, v.x), xHigh = std::max(xHigh, v.x);
            zLow = std::min(zLow, v.z), zHigh = std::max(zHigh, v.z);
        }
        widest = std::max(widest, xHigh - xLow);
        const MeshVertex &a = body.at(r, 0), &b = body.at(r, body.columns - 1);
        EXPECT_NEAR(a.x, b.x, 1e-5) << "closed ring " << r;
        EXPECT_NEAR(a.z, b.z, 1e-5) << "closed ring " << r;
        if (r > 0) {
            EXPECT_LT(body.at(r, 0).y, body.at(r - 1, 0).y) << "head toward +y";
        }
    }
    EXPECT_LE(widest, 0.14f + 1e-4);
    EXPECT_NEAR(zLow, 0.03f, 0.01f);
    EXPECT_NEAR(zHigh, 0.26f, 0.01f);
}

TEST(FoodFishMesh, BodyRingsRideTheWaveAndTurnPerStrip) {
    FoodFish f;
    FoodFishPose pose;
    for (int i = 0; i < kFoodSegments; ++i)
        pose.wave[i] = 0.1f * float(i + 1);
    const auto still = stripsOf(record(f, FoodFishPose{}), kFoodBody);
    const auto waved = stripsOf(record(f, pose), kFoodBody);
    for (int r = 0; r < 13; ++r)
        for (int k = 0; k < 22; ++k) {
            const int row = r + (k % 2); // strip r joins rings r and r + 1
            EXPECT_NEAR(waved[r][k].p[2] - still[r][k].p[2], pose.wave[row], 1e-4);
            EXPECT_NEAR(waved[r][k].p[0], still[r][k].p[0], 1e-5);
        }

    FoodFishPose turned;
    turned.yaw[5] = 90;
    const auto bent = stripsOf(record(f, turned), kFoodBody);
    // Strip 5 turns a quarter about z: (x, y) -> (-y, x); the other strips stay.
    for (int k = 0; k < 22; ++k) {
        EXPECT_NEAR(bent[5][k].p[0], -still[5][k].p[1], 1e-4);
        EXPECT_NEAR(bent[5][k].p[1], still[5][k].p[0], 1e-4);
        EXPECT_NEAR(bent[4][k].p[0], still[4][k].p[0], 1e-6);
    }
}

TEST(FoodFishMesh, PairedPartsMoveInOppositeSensesAndMirrorCopiesMirror) {
    FoodFish f;
    FoodFishPose pose;
    for (int i = 0; i < kFoodSegments; ++i)
        pose.wave[i] = 0.05f * float(i + 1);
    for (int i = 0; i < 12; ++i)
        pose.headFlutter[i] = pose.antennae[i] = 0.02f * float(i);
    for (int i = 0; i < 9; ++i)
        pose.legs[i] = pose.swimmerets[i] = 0.03f * float(i);
    for (int i = 0; i < 8; ++i)
        pose.tailFan[i] = 0.04f * float(i);
    const auto all = record(f, pose);
    const auto near = [](const Emitted& a, const Emitted& b) {
        return std::fabs(a.p[0] + b.p[0]) < 1e-4 && std::fabs(a.p[1] - b.p[1]) < 1e-4 &&
               std::fabs(a.p[2] - b.p[2]) < 1e-4;
    };
    // Scales and eyes: the left part is the right one reflected in x, displacements included.
    for (auto [right, left] :
         {std::pair{kFoodScaleRight, kFoodScaleLeft}, std::pair{kFoodEyeRight, kFoodEyeLeft}}) {
        const auto r = stripsOf(all, right), l = stripsOf(all, left);
        ASSERT_EQ(r.size(), l.size());
        for (std::size_t s = 0; s < r.size(); ++s)
            for (std::size_t k = 0; k < r[s].size(); ++k)
                EXPECT_TRUE(near(r[s][k], l[s][k])) << right << " strip " << s << " vertex " << k;
    }
    // Mirrored parts: the second half of the strips is the first half reflected in x.
    for (int part : {int(kFoodAntennule), int(kFoodLegA), int(kFoodLegE), int(kFoodSwimmeretC),
                     int(kFoodSwimmeretG), int(kFoodTailOuter), int(kFoodTailInner)}) {
        const auto strips = stripsOf(all, part);
        const std::size_t half = strips.size() / 2;
        for (std::size_t s = 0; s < half; ++s)
            for (std::size_t k = 0; k < strips[s].size(); ++k)
                EXPECT_TRUE(near(strips[s][k], strips[s + half][k])) << part << " strip " << s;
    }
}

TEST(FoodFishMesh, EachPartTakesItsInputs) {
    FoodFish f;
    const auto still = record(f, FoodFishPose{});
    // Changing one input array moves exactly the parts listed for it.
    const auto movedParts = [&](auto&& change) {
        FoodFishPose pose;
        change(pose);
        const auto moved = record(f, pose);
        std::vector<int> parts;
        for (int part = 0; part < kFoodFishPartCount; ++part) {
            const auto a = stripsOf(still, part), b = stripsOf(moved, part);
            bool differs = false;
            for (std::size_t s = 0; s < a.size(); ++s)
                for (std::size_t k = 0; k < a[s].size(); ++k)
                    for (int c = 0; c < 3; ++c)
                        differs = differs || std::fabs(a[s][k].p[c] - b[s][k].p[c]) > 1e-6;
            if (differs)
                parts.push_back(part + 1);
        }
        return parts;
    };
    using V = std::vector<int>;
    auto fill = [](float* a, int n) {
        for (int i = 0; i < n; ++i)
            a[i] = 0.01f * float(i + 1);
    };
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { fill(p.headFlutter, 12); }), (V{3, 4, 5, 6}));
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { fill(p.antennae, 12); }), (V{7, 8}));
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { fill(p.legs, 9); }),
              (V{10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { fill(p.swimmerets, 9); }), (V{17, 18, 19, 20, 21}));
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { fill(p.tailFan, 8); }), (V{22, 23}));
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { p.wave[0] = 0.1f; }),
              (V{1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}));
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { p.wave[13] = 0.1f; }), (V{1, 22, 23}));
    EXPECT_EQ(movedParts([&](FoodFishPose& p) { p.yaw[13] = 30; }), (V{22, 23}))
        << "ring 13 closes the body's last strip, which turns with segment 12";
}
