#pragma once
// The terrain height grid over the tank floor: a sheet of vertices whose height follows a cosine
// of the diagonal position, tallest at the front and flat at the back. The view places the bubble
// emitters from one of its vertices.

#include <cstdint>
#include <vector>

namespace quelmarine {

struct TerrainVertex {
    float x = 0, y = 0, z = 0;
};

class TerrainGrid {
  public:
    // The grid holds at most this many columns and this many rows.
    static constexpr int kTableSide = 1000;
    // The vertex the bubble emitters are placed from.
    static constexpr int kReferenceColumn = 45, kReferenceRow = 10;

    // Fills columns i = 0 … width − 1 and rows j = 0 … height − 2. A grid larger than
    // kTableSide × kTableSide warns with "MAP SIZE ERROR" and builds only the part that fits.
    // The storage grows to the largest grid built; vertices a smaller build does not reach keep
    // their values.
    void Build(std::int32_t width, std::int32_t height, std::int32_t depth);

    std::int32_t width() const { return columns; }
    std::int32_t height() const { return rows; }
    std::int32_t depth() const { return depthFactor; }

    // Vertex [i][j]; a vertex that was never built is at the origin.
    const TerrainVertex& vertex(int i, int j) const;
    const TerrainVertex& referenceVertex() const { return vertex(kReferenceColumn, kReferenceRow); }

  private:
    std::int32_t columns = 0, rows = 0, depthFactor = 1;
    // vertices[i][j]: column i, row j.
    std::vector<std::vector<TerrainVertex>> vertices;
};

} // namespace quelmarine
