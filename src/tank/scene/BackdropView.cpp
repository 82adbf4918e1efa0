#include "tank/scene/BackdropView.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quelmarine {

namespace {

struct Pixel {
    double x, y;
};

// Where a point of the scene lands in the window (the model-view matrix is the camera's alone).
Pixel project(const Point3d& p, const BackdropCamera& c) {
    const double depth = c.eyeZ - p.z; // distance in front of the eye
    const Frustum& f = c.frustum;
    const double xNdc = (2 * f.nearPlane * p.x / depth - (f.right + f.left)) / (f.right - f.left);
    const double yNdc = (2 * f.nearPlane * p.y / depth - (f.top + f.bottom)) / (f.top - f.bottom);
    return {(xNdc + 1) * 0.5 * c.viewportWidth, (yNdc + 1) * 0.5 * c.viewportHeight};
}

// The drawn vertices in window pixels, [u][v] for u, v in 0 ... divisions.
std::vector<std::vector<Pixel>> projectedGrid(const BackdropSurface& s, const BackdropCamera& c) {
    const int d = s.backdropDivisions;
    std::vector<std::vector<Pixel>> grid(std::size_t(d + 1),
                                         std::vector<Pixel>(std::size_t(d + 1)));
    for (int u = 0; u <= d; ++u)
        for (int v = 0; v <= d; ++v)
            grid[std::size_t(u)][std::size_t(v)] = project(s.GridPoint(u, v), c);
    return grid;
}

bool usable(const BackdropSurface& s, const BackdropCamera& c) {
    const Frustum& f = c.frustum;
    return s.backdropDivisions >= 1 && s.backdropDivisions <= 64 && c.viewportWidth > 0 &&
           c.viewportHeight > 0 && f.right > f.left && f.top > f.bottom;
}

// Even-odd rule.
bool inside(const std::vector<Pixel>& polygon, Pixel p) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Pixel& a = polygon[i];
        const Pixel& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

// Whether the segment a-b passes through the open rectangle (Liang-Barsky clipping).
bool crosses(Pixel a, Pixel b, double left, double bottom, double right, double top) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - left, right - a.x, a.y - bottom, top - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] <= 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 >= t1)
            return false;
    }
    return true;
}

} // namespace

bool backdropCoversViewport(const BackdropSurface& surface, const BackdropCamera& camera,
                            double marginPixels) {
    if (!usable(surface, camera))
        return false;
    const auto grid = projectedGrid(surface, camera);
    const std::size_t d = grid.size() - 1;
    // The outline of the drawn triangles: the grid's border, once round.
    std::vector<Pixel> outline;
    for (std::size_t v = 0; v < d; ++v)
        outline.push_back(grid[0][v]);
    for (std::size_t u = 0; u < d; ++u)
        outline.push_back(grid[u][d]);
    for (std::size_t v = d; v > 0; --v)
        outline.push_back(grid[d][v]);
    for (std::size_t u = d; u > 0; --u)
        outline.push_back(grid[u][0]);
    const double left = -marginPixels, bottom = -marginPixels;
    const double right = camera.viewportWidth + marginPixels;
    const double top = camera.viewportHeight + marginPixels;
    for (Pixel corner :
         {Pixel{left, bottom}, Pixel{right, bottom}, Pixel{right, top}, Pixel{left, top}})
        if (!inside(outline, corner))
            return false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++)
        if (crosses(outline[j], outline[i], left, bottom, right, top))
            return false;
    return true;
}

double backdropPixelsPerTexel(const BackdropSurface& surface, const BackdropCamera& camera,
                              int textureWidth, int textureHeight) {
    if (!usable(surface, camera) || textureWidth <= 0 || textureHeight <= 0)
        return 0;
    const auto grid = projectedGrid(surface, camera);
    const std::size_t d = grid.size() - 1;
    // One grid step covers 1/d of the picture along that axis.
    const double texelsAcross = double(textureWidth) / double(d);
    const double texelsDown = double(textureHeight) / double(d);
    double least = INFINITY;
    for (std::size_t u = 0; u <= d; ++u) {
        for (std::size_t v = 0; v <= d; ++v) {
            const Pixel& p = grid[u][v];
            if (u < d) {
                const Pixel& q = grid[u + 1][v];
                least = std::min(least, std::hypot(q.x - p.x, q.y - p.y) / texelsAcross);
            }
            if (v < d) {
                const Pixel& q = grid[u][v + 1];
                least = std::min(least, std::hypot(q.x - p.x, q.y - p.y) / texelsDown);
            }
        }
    }
    return least;
}

} // namespace quelmarine
