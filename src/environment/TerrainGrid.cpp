#include "environment/TerrainGrid.h"

#include <algorithm>
#include <cmath>

#include "platform/ErrorReport.h"

namespace quelmarine {

namespace {

// One table for the process, as large as the biggest grid the scene could ask for. It lives in
// zero-filled storage, so only the rows that are built ever take memory.
TerrainVertex terrainVertices[TerrainGrid::kTableSide][TerrainGrid::kTableSide];

constexpr std::int64_t kLargestGrid = 1000000;

} // namespace

void TerrainGrid::Build(std::int32_t width, std::int32_t height, std::int32_t depth) {
    columns = width;
    rows = height;
    depthFactor = depth;
    const float scale = float(2 * depth) / float(height);
    if (std::int64_t(width) * height > kLargestGrid)
        reportError("MAP SIZE ERROR", "QuelmarineScr"); // caption: the application name
    const int lastColumn = std::min(width, kTableSide);
    const int lastRow = std::min(height - 1, kTableSide);
    for (int i = 0; i < lastColumn; ++i) {
        for (int j = 0; j < lastRow; ++j) {
            TerrainVertex& v = terrainVertices[i][j];
            v.x = float(i - width / 2);
            v.y = std::cos(float(i + j) * 0.1f) * float(height - j) * scale;
            v.z = float(j - height);
        }
    }
}

const TerrainVertex& TerrainGrid::vertex(int i, int j) const {
    return terrainVertices[std::clamp(i, 0, kTableSide - 1)][std::clamp(j, 0, kTableSide - 1)];
}

} // namespace quelmarine
