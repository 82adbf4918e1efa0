#include "tank/environment/TerrainGrid.h"

#include <algorithm>
#include <cmath>

#include "tank/platform/ErrorReport.h"
#include "tank/platform/ProgramNames.h"

namespace quelmarine {

namespace {

constexpr TerrainVertex kUnbuiltVertex{};

constexpr std::int64_t kLargestGrid = 1000000;

} // namespace

void TerrainGrid::Build(std::int32_t width, std::int32_t height, std::int32_t depth) {
    columns = width;
    rows = height;
    depthFactor = depth;
    const float scale = float(2 * depth) / float(height);
    if (std::int64_t(width) * height > kLargestGrid)
        reportError("MAP SIZE ERROR", kApplicationName);
    const int lastColumn = std::min(width, kTableSide);
    const int lastRow = std::min(height - 1, kTableSide);
    if (lastColumn > int(vertices.size()))
        vertices.resize(std::size_t(lastColumn));
    for (int i = 0; i < lastColumn; ++i) {
        std::vector<TerrainVertex>& column = vertices[std::size_t(i)];
        if (lastRow > int(column.size()))
            column.resize(std::size_t(lastRow));
        for (int j = 0; j < lastRow; ++j) {
            TerrainVertex& v = column[std::size_t(j)];
            v.x = float(i - width / 2);
            v.y = std::cos(float(i + j) * 0.1f) * float(height - j) * scale;
            v.z = float(j - height);
        }
    }
}

const TerrainVertex& TerrainGrid::vertex(int i, int j) const {
    i = std::clamp(i, 0, kTableSide - 1);
    j = std::clamp(j, 0, kTableSide - 1);
    if (i >= int(vertices.size()) || j >= int(vertices[std::size_t(i)].size()))
        return kUnbuiltVertex;
    return vertices[std::size_t(i)][std::size_t(j)];
}

} // namespace quelmarine
