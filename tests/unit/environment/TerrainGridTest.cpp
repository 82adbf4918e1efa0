#include "tank/environment/TerrainGrid.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tank/platform/ErrorReport.h"

namespace quelmarine {
namespace {

class TerrainGridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installErrorReporter([this](const std::string& text, const std::string& caption) {
            reports.push_back(caption + ": " + text);
        });
    }
    void TearDown() override { installErrorReporter(nullptr); }
    std::vector<std::string> reports;
    TerrainGrid grid;
};

TEST_F(TerrainGridTest, TankSizedGridGivesTheReferenceVertexTheEmittersStandOn) {
    grid.Build(98, 50, 1);
    const TerrainVertex& t = grid.referenceVertex();
    EXPECT_FLOAT_EQ(t.x, -4.0f);
    EXPECT_NEAR(t.y, 1.134f, 0.001f);
    EXPECT_FLOAT_EQ(t.z, -40.0f);
    EXPECT_TRUE(reports.empty());
}

TEST_F(TerrainGridTest, SpansTheFloorAndFallsTowardsTheBack) {
    grid.Build(98, 50, 1);
    EXPECT_FLOAT_EQ(grid.vertex(0, 0).x, -49.0f);
    EXPECT_FLOAT_EQ(grid.vertex(97, 0).x, 48.0f);
    EXPECT_FLOAT_EQ(grid.vertex(10, 0).z, -50.0f);
    EXPECT_FLOAT_EQ(grid.vertex(10, 48).z, -2.0f);
    // The front row swings by up to 2 × depth; each row back swings less, in proportion.
    float frontPeak = 0;
    for (int i = 0; i < 98; ++i) {
        frontPeak = std::max(frontPeak, std::fabs(grid.vertex(i, 0).y));
        for (int j = 0; j < 49; ++j)
            EXPECT_LE(std::fabs(grid.vertex(i, j).y), float(50 - j) * 0.04f + 1e-5f);
    }
    EXPECT_NEAR(frontPeak, 2.0f, 0.01f);
}

TEST_F(TerrainGridTest, LastRowIsNotBuilt) {
    grid.Build(98, 60, 1);
    const float deeperGridZ = grid.vertex(3, 49).z;
    grid.Build(98, 50, 1);
    EXPECT_FLOAT_EQ(grid.vertex(3, 48).z, -2.0f);
    EXPECT_FLOAT_EQ(grid.vertex(3, 49).z, deeperGridZ) << "row H - 1 was overwritten";
}

TEST_F(TerrainGridTest, OversizedGridWarnsAndBuildsOnlyWhatFits) {
    grid.Build(1000, 1000, 1); // exactly the table: no warning
    EXPECT_TRUE(reports.empty());
    grid.Build(3000, 500, 2);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("MAP SIZE ERROR"), std::string::npos);
    // The last column of the table holds the wide grid's column 999.
    EXPECT_FLOAT_EQ(grid.vertex(999, 0).x, float(999 - 1500));
    EXPECT_FLOAT_EQ(grid.vertex(999, 498).z, -2.0f);
    EXPECT_EQ(grid.width(), 3000);
    grid.Build(70000, 70000, 1); // the product does not fit in 32 bits either
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(TerrainGridTest, DegenerateSizesBuildNothing) {
    grid.Build(98, 50, 1);
    const TerrainVertex before = grid.vertex(0, 0);
    grid.Build(0, 50, 1);
    grid.Build(98, 0, 1);
    grid.Build(-5, -5, 1);
    EXPECT_FLOAT_EQ(grid.vertex(0, 0).y, before.y);
    EXPECT_TRUE(reports.empty());
}

} // namespace
} // namespace quelmarine
