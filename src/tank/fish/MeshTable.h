#pragma once
// A mesh part as data: rows of vertices, all rows with the same number of columns, and the
// quad strips that join pairs of rows. Parts with a mirror half store only one side.

#include <cstdint>

namespace quelmarine {

struct MeshVertex {
    float x, y, z;    // position, model units (scaled by the fish's size when drawn)
    float nx, ny, nz; // unit normal
    float s, t;       // texture coordinate in the species skin
};

// A quad strip from row `first` to row `second`: per column, first-row vertex then second-row.
struct RowPair {
    std::uint8_t first, second;
};

struct MeshTable {
    const MeshVertex* vertices; // rows * columns, row after row
    int rows, columns;
    const RowPair* strips;
    int stripCount;
    bool mirrored; // the strips are drawn a second time for the other side

    const MeshVertex& at(int row, int column) const { return vertices[row * columns + column]; }
    int quadCount() const { return stripCount * (columns - 1) * (mirrored ? 2 : 1); }
    int vertexCount() const { return stripCount * columns * 2 * (mirrored ? 2 : 1); }
};

} // namespace quelmarine
