#pragma once
// The backdrop picture's surface: a 6 x 6 control-point Bezier patch behind the tank whose two
// top rows sway slowly left and right and in and out while the bottom stays still.

#include "tank/scene/TankBox.h"

namespace quelmarine {

struct Point3d {
    double x = 0, y = 0, z = 0;
};

// Degree-5 Bernstein sum; t = 1 gives p[0] and t = 0 gives p[5].
Point3d BezierQuintic(double t, const Point3d (&p)[6]);

class BackdropSurface {
  public:
    static constexpr int kRows = 6, kColumns = 6;

    // Moves the sway one step (for background scenes 0 and 2) and fills the control points.
    void BuildBackdropPoints(const TankBox& tank, int background);
    // Draws the surface as triangle strips with texture coordinates; the texture is bound.
    void DrawBackdrop() const;
    // The vertex DrawBackdrop sends at texture coordinates (u / d, v / d), d = the divisions.
    Point3d GridPoint(int u, int v) const;

    float backdropSway = 0.0f;
    bool backdropSwayUp = true;
    int backdropDivisions = 2;
    Point3d backdropPoints[kRows][kColumns];

    // Row heights, from the top row down.
    static constexpr float kRowHeights[kRows] = {39.0f, 23.6f, 8.2f, -7.2f, -22.6f, -38.0f};
};

} // namespace quelmarine
