#pragma once
// A strip sink for the fish's part drawing that records every strip and vertex as sent,
// position already through the part matrix.

#include "tank/fish/PartDrawing.h"

#include <vector>

namespace fishtest {

struct RecordedVertex {
    float p[3];
    float n[3];
    float s, t;
};

struct RecordingSink {
    std::vector<std::vector<RecordedVertex>> strips;
    void BeginStrip() { strips.emplace_back(); }
    void EndStrip() {}
    void Vertex(quelmarine::PartModel& model, float x, float y, float z, float nx, float ny,
                float nz, float s, float t) {
        RecordedVertex v{};
        model.TransformPosition(x, y, z, v.p);
        v.n[0] = nx;
        v.n[1] = ny;
        v.n[2] = nz;
        v.s = s;
        v.t = t;
        strips.back().push_back(v);
    }
    std::size_t vertexCount() const {
        std::size_t n = 0;
        for (const auto& s : strips)
            n += s.size();
        return n;
    }
};

} // namespace fishtest
