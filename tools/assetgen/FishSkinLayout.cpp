#include "FishSkinLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tank/fish/FishMeshTables.h"

namespace assetgen {

namespace {

// The side projection of the mesh tool: s = (x - S0) / SW, t = (z - T0) / TW.
constexpr float kSOrigin = -0.52f, kSSpan = 1.04f, kTOrigin = -0.24f, kTSpan = 0.48f;
constexpr float kSnoutX = -0.462f, kBodyLength = 0.794f;

float distanceToSegment(SkinPoint p, SkinPoint a, SkinPoint b) {
    const float dx = b.x - a.x, dz = b.z - a.z;
    const float lengthSquared = dx * dx + dz * dz;
    float t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.z - a.z) * dz) / lengthSquared : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = a.x + t * dx - p.x, ez = a.z + t * dz - p.z;
    return std::sqrt(ex * ex + ez * ez);
}

float distanceToPolyline(SkinPoint p, const std::vector<SkinPoint>& line) {
    float best = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        best = std::min(best, distanceToSegment(p, line[i], line[i + 1]));
    return best;
}

// The closed outline: `first` forwards, then `second` backwards.
std::vector<SkinPoint> outline(const std::vector<SkinPoint>& first,
                               const std::vector<SkinPoint>& second) {
    std::vector<SkinPoint> ring(first);
    ring.insert(ring.end(), second.rbegin(), second.rend());
    ring.push_back(first.front());
    return ring;
}

bool inside(SkinPoint p, const std::vector<SkinPoint>& ring) {
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const SkinPoint a = ring[i], b = ring[j];
        if ((a.z > p.z) != (b.z > p.z) && p.x < (b.x - a.x) * (p.z - a.z) / (b.z - a.z) + a.x)
            in = !in;
    }
    return in;
}

std::vector<SkinPoint> tableRow(const quelmarine::MeshTable& table, int row) {
    std::vector<SkinPoint> points;
    for (int c = 0; c < table.columns; ++c) {
        const quelmarine::MeshVertex& v = table.at(row, c);
        points.push_back(FishSkinLayout::modelPoint(v.s, v.t));
    }
    return points;
}

// Linear interpolation of a row along x (the rows run from the snout to the tail).
float zAt(const std::vector<SkinPoint>& row, float x) {
    if (x <= row.front().x)
        return row.front().z;
    for (std::size_t i = 0; i + 1 < row.size(); ++i) {
        if (x <= row[i + 1].x) {
            const float t = (x - row[i].x) / (row[i + 1].x - row[i].x);
            return row[i].z + (row[i + 1].z - row[i].z) * t;
        }
    }
    return row.back().z;
}

} // namespace

SkinPoint FishSkinLayout::modelPoint(float s, float t) {
    return {kSOrigin + s * kSSpan, kTOrigin + t * kTSpan};
}

FishSkinLayout::FishSkinLayout() {
    using namespace quelmarine;
    const MeshTable& body = kFishParts[kFishBody];
    bodyTop = tableRow(body, 0);
    bodyBottom = tableRow(body, body.rows - 1);
    struct FinSource {
        FishPart part;
        SkinRegion region;
        int baseRow;
    };
    const FinSource sources[] = {
        {kFishDorsalFront, SkinRegion::DorsalFin, 0}, {kFishDorsalRear, SkinRegion::DorsalFin, 0},
        {kFishAnal, SkinRegion::AnalFin, 0},          {kFishPelvic, SkinRegion::PelvicFin, 1},
        {kFishPectoral, SkinRegion::PectoralFin, 1},  {kFishTail, SkinRegion::TailFin, 1}};
    for (const FinSource& source : sources) {
        const MeshTable& table = kFishParts[source.part];
        Polygon fin;
        fin.region = source.region;
        fin.base = tableRow(table, source.baseRow);
        fin.edge = tableRow(table, 1 - source.baseRow);
        const MeshVertex& first = table.at(0, 0);
        const SkinPoint shown = modelPoint(first.s, first.t);
        fin.shiftX = shown.x - first.x;
        fin.shiftZ = shown.z - first.z;
        fins.push_back(fin);
    }
}

SkinSpot FishSkinLayout::locate(float s, float t) const {
    const SkinPoint p = modelPoint(s, t);
    SkinSpot spot;
    spot.x = p.x;
    spot.z = p.z;
    const float top = zAt(bodyTop, p.x), bottom = zAt(bodyBottom, p.x);
    spot.along = std::clamp((p.x - kSnoutX) / kBodyLength, 0.0f, 1.0f);
    spot.height = std::clamp((p.z - bottom) / std::max(top - bottom, 1e-4f), 0.0f, 1.0f);

    const std::vector<SkinPoint> bodyRing = outline(bodyTop, bodyBottom);
    const float bodyRim = distanceToPolyline(p, bodyRing);
    if (p.x < kSnoutX && p.z < -0.015f && p.z > -0.095f) {
        spot.region = SkinRegion::Lips;
        spot.rim = kSnoutX - p.x;
        return spot;
    }
    if (inside(p, bodyRing)) {
        spot.region = SkinRegion::Body;
        spot.rim = bodyRim;
        return spot;
    }
    // A fin, or the nearest region for texels outside every part (filtering reads them).
    float nearest = bodyRim;
    spot.region = SkinRegion::Body;
    spot.rim = 0;
    for (const Polygon& fin : fins) {
        const std::vector<SkinPoint> ring = outline(fin.base, fin.edge);
        const float toBase = distanceToPolyline(p, fin.base);
        const float toEdge = distanceToPolyline(p, fin.edge);
        const bool in = inside(p, ring);
        const float rim = distanceToPolyline(p, ring);
        if (in || rim < nearest) {
            nearest = in ? 0 : rim;
            spot.region = fin.region;
            spot.toEdge =
                in ? toBase / std::max(toBase + toEdge, 1e-5f) : (toEdge < toBase ? 1 : 0);
            spot.rim = in ? rim : 0;
            spot.x = p.x - fin.shiftX;
            spot.z = p.z - fin.shiftZ;
            if (in)
                break;
        }
    }
    return spot;
}

} // namespace assetgen
