#pragma once
// Where each part of the fish mesh lands in a species skin. The mesh maps its texture by a side
// projection (s follows the model's x, t its z; see tools/fishmesh/fishmesh.py), so a skin is a
// side view of the fish. This reads the mesh tables themselves and answers, for a point of the
// skin in model units, which part it shows and where inside that part it lies.

#include <vector>

namespace assetgen {

struct SkinPoint {
    float x = 0, z = 0; // model units (side view)
};

enum class SkinRegion { Body, Lips, DorsalFin, AnalFin, PelvicFin, PectoralFin, TailFin };

// What a skin painter needs to know about one texel.
struct SkinSpot {
    float x = 0, z = 0; // model units; for the pectoral fin, its own (unshifted) position
    SkinRegion region = SkinRegion::Body;
    float along = 0;  // body: 0 at the snout ... 1 at the tail end
    float height = 0; // body: 0 at the belly ridge ... 1 at the dorsal ridge
    float toEdge = 0; // fins: 0 at the base ... 1 at the outer edge
    float rim = 1;    // distance to the outline of the region, model units
};

class FishSkinLayout {
  public:
    FishSkinLayout();
    // The model point shown at texture coordinate (s, t).
    static SkinPoint modelPoint(float s, float t);
    SkinSpot locate(float s, float t) const;

    static constexpr float kEyeX = -0.4325f, kEyeZ = -0.028f, kEyeRadius = 0.0125f;

  private:
    struct Polygon {
        SkinRegion region;
        std::vector<SkinPoint> base, edge; // the row on the body and the outer row
        float shiftX = 0, shiftZ = 0;      // texture shift of the part (pectoral fins)
    };
    std::vector<Polygon> fins;
    std::vector<SkinPoint> bodyTop, bodyBottom;
};

} // namespace assetgen
