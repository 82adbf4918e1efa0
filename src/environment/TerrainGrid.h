#pragma once
// The terrain height grid over the tank floor: a sheet of vertices whose height follows a cosine
// of the diagonal position, tallest at the front and flat at the back. The view places the bubble
// emitters from one of its vertices.

#include <cstdint>

namespace quelmarine {

struct TerrainVertex {
    float x = 0, y = 0, z = 0;
};

class TerrainGrid {
  public:
    // The vertex table holds this many columns and this many rows.
    static constexpr int kTableSide = 1000;
    // The vertex the bubble emitters are placed from.
    static constexpr int kReferenceColumn = 45, kReferenceRow = 10;

    // Fills columns i = 0 … width − 1 and rows j = 0 … height − 2. A grid larger than the
    // table warns with "MAP SIZE ERROR" and builds only the part that fits.
    void Build(std::int32_t width, std::int32_t height, std::int32_t depth);

    std::int32_t width() const { return columns; }
    std::int32_t height() const { return rows; }
    std::int32_t depth() const { return depthFactor; }

    // Vertex [i][j] of the table (0 ≤ i, j < kTableSide).
    const TerrainVertex& vertex(int i, int j) const;
    const TerrainVertex& referenceVertex() const { return vertex(kReferenceColumn, kReferenceRow); }

  private:
    std::int32_t columns = 0, rows = 0, depthFactor = 1;
};

} // namespace quelmarine
