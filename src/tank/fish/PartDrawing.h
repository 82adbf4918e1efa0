#pragma once
// The one routine that draws a mesh part: it turns the part by the yaw of its segment (or each
// column or strip by its own), scales the stored positions, adds the part's displacements and
// sends every vertex through the model's part matrix as quad strips.
//
// The output goes to a sink, so the same code feeds OpenGL (GlStripSink) or a recorder:
//   sink.BeginStrip(); sink.Vertex(model, x, y, z, nx, ny, nz, s, t) ...; sink.EndStrip();

#include "tank/fish/MeshTable.h"
#include "tank/fish/PartModel.h"

#include <vector>

namespace quelmarine {

struct Vec3f {
    float x = 0, y = 0, z = 0;
};

// How a part bends and moves in one frame.
struct PartMotion {
    enum class Turning { Whole, PerColumn, PerStrip };
    Turning turning = Turning::Whole;
    float yaw = 0;                  // degrees about the model's vertical axis (Whole)
    const float* yawList = nullptr; // per column or per strip (PerColumn, PerStrip)

    // Column displacement: columnValues[j] * columnGain on the rows set in columnRows.
    const float* columnValues = nullptr;
    Vec3f columnGain;
    unsigned columnRows = ~0u;
    // Row displacement: rowValues[r] * rowGain on every vertex of row r.
    const float* rowValues = nullptr;
    Vec3f rowGain;
    // Displacement of every vertex.
    Vec3f shift;

    // The mirrored copy negates this coordinate (1 = y, 0 = x) and the normal's component;
    // the column displacement along it changes sign there when mirrorFlipsColumn is set (a fin
    // flap), and keeps it otherwise (the body wave).
    int mirrorAxis = 1;
    bool mirrorFlipsColumn = false;
};

// Each strip is gathered (texture coordinate, normal, position per vertex) and drawn when it
// ends: with glBegin(GL_QUAD_STRIP) ... glEnd() when rendering, as one vertex array in selection
// and feedback mode. Mesa's llvmpipe keeps, for good, every vertex buffer that immediate-mode
// vertices went through in those modes (about half a megabyte for each fish pick), while client
// vertex arrays keep memory growing when rendering. Afterwards the current normal and texture
// coordinate are those of the strip's last vertex either way.
struct GlStripSink {
    void BeginStrip() { vertices.clear(); }
    void EndStrip();
    void Vertex(PartModel& model, float x, float y, float z, float nx, float ny, float nz, float s,
                float t) {
        float position[3];
        model.TransformPosition(x, y, z, position);
        vertices.insert(vertices.end(), {s, t, nx, ny, nz, position[0], position[1], position[2]});
    }
    std::vector<float> vertices; // the strip so far: s, t, nx, ny, nz, x, y, z per vertex
};

// The part matrix is scratch: each part sets it before its first vertex.
template <typename Sink>
void drawPart(Sink& sink, const MeshTable& table, const PartMotion& motion, float size) {
    PartModel model;
    if (motion.turning == PartMotion::Turning::Whole)
        model.SetPartRotation(motion.yaw, 0, 0, 1);
    const int axis = motion.mirrorAxis;
    for (int copy = 0; copy < (table.mirrored ? 2 : 1); ++copy) {
        const bool mirror = copy == 1;
        for (int strip = 0; strip < table.stripCount; ++strip) {
            if (motion.turning == PartMotion::Turning::PerStrip)
                model.SetPartRotation(motion.yawList[strip], 0, 0, 1);
            const int rows[2] = {table.strips[strip].first, table.strips[strip].second};
            sink.BeginStrip();
            for (int j = 0; j < table.columns; ++j) {
                if (motion.turning == PartMotion::Turning::PerColumn)
                    model.SetPartRotation(motion.yawList[j], 0, 0, 1);
                for (int row : rows) {
                    const MeshVertex& v = table.at(row, j);
                    float p[3] = {v.x * size, v.y * size, v.z * size};
                    float n[3] = {v.nx, v.ny, v.nz};
                    float common[3] = {motion.shift.x, motion.shift.y, motion.shift.z};
                    if (motion.rowValues) {
                        const float r = motion.rowValues[row];
                        common[0] += r * motion.rowGain.x;
                        common[1] += r * motion.rowGain.y;
                        common[2] += r * motion.rowGain.z;
                    }
                    float column[3] = {0, 0, 0};
                    if (motion.columnValues && (motion.columnRows >> row & 1u)) {
                        const float c = motion.columnValues[j];
                        column[0] = c * motion.columnGain.x;
                        column[1] = c * motion.columnGain.y;
                        column[2] = c * motion.columnGain.z;
                    }
                    if (mirror) {
                        p[axis] = -p[axis];
                        n[axis] = -n[axis];
                        if (motion.mirrorFlipsColumn)
                            column[axis] = -column[axis];
                    }
                    sink.Vertex(model, p[0] + common[0] + column[0], p[1] + common[1] + column[1],
                                p[2] + common[2] + column[2], n[0], n[1], n[2], v.s, v.t);
                }
            }
            sink.EndStrip();
        }
    }
}

} // namespace quelmarine
