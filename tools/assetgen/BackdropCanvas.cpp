#include "BackdropCanvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen::backdrop {

namespace {

struct Stop {
    float y;
    Colour colour;
};

// Open water from just under the surface down to the bottom edge.
const Stop kWaterStops[] = {
    {0.0f, rgb255(74, 156, 164)},  {kSurfaceLine, rgb255(62, 146, 156)},
    {18.0f, rgb255(40, 118, 134)}, {32.0f, rgb255(24, 90, 112)},
    {48.0f, rgb255(16, 68, 92)},   {62.0f, rgb255(11, 50, 74)},
    {77.0f, rgb255(8, 36, 58)},
};

Colour gradient(float wy) {
    const int n = int(sizeof kWaterStops / sizeof kWaterStops[0]);
    if (wy <= kWaterStops[0].y)
        return kWaterStops[0].colour;
    for (int i = 1; i < n; ++i) {
        if (wy <= kWaterStops[i].y) {
            float t = (wy - kWaterStops[i - 1].y) / (kWaterStops[i].y - kWaterStops[i - 1].y);
            return mix(kWaterStops[i - 1].colour, kWaterStops[i].colour, smoothstep(0, 1, t));
        }
    }
    return kWaterStops[n - 1].colour;
}

constexpr float kSunX = 38.0f; // where the light from above is strongest

} // namespace

Colour waterColour(float wx, float wy) {
    Colour c = gradient(wy);
    // The glow just under the surface, strongest under the sun.
    float below = std::max(0.0f, wy - kSurfaceLine);
    float sun = std::exp(-std::pow((wx - kSunX) / 30.0f, 2.0f));
    float glow = std::exp(-below / 7.0f) * (0.16f + 0.14f * sun);
    c = add(c, scale(rgb255(150, 220, 210), glow));
    // A broad pool of light under the sun, and the sides sinking into the dark.
    float depthShare = std::clamp(1.0f - wy / kWorldHeight, 0.0f, 1.0f);
    float pool = 1.0f + 0.18f * std::exp(-std::pow((wx - kSunX) / 40.0f, 2.0f)) * depthShare;
    float side = std::abs(wx / kWorldWidth - 0.5f) * 2.0f;
    float edge = 1.0f - 0.18f * side * side;
    // Slow, faint unevenness so the water is not a flat gradient.
    float drift = 0.94f + 0.12f * fractalNoise(wx * 0.04f, wy * 0.06f, 4242u, 3);
    return scale(c, pool * edge * drift);
}

float lightShafts(float wx, float wy) {
    if (wy < kSurfaceLine)
        return 0.0f;
    // Shafts lean: lower down they lie further right, as from a sun up to the left.
    float along = wx - (wy - kSurfaceLine) * 0.42f;
    float pattern = fractalNoise(along * 0.11f, wy * 0.012f, 777u, 3);
    float shaft = std::pow(smoothstep(0.42f, 0.78f, pattern), 1.4f);
    // Each shaft fades out at its own depth.
    float reach = 18.0f + 26.0f * valueNoise(along * 0.07f, 3.5f, 778u);
    float fade = std::exp(-(wy - kSurfaceLine) / reach);
    float start = smoothstep(kSurfaceLine, kSurfaceLine + 4.0f, wy);
    float sun = 0.55f + 0.45f * std::exp(-std::pow((wx - kSunX) / 45.0f, 2.0f));
    return shaft * fade * start * sun;
}

Colour hazeColour(float wx, float wy) {
    return add(waterColour(wx, wy), scale(rgb255(110, 160, 150), 0.12f * lightShafts(wx, wy)));
}

float caustic(float x, float y, std::uint32_t seed) {
    float warpX = x + 0.9f * valueNoise(x * 0.6f, y * 0.6f, seed + 11u);
    float warpY = y + 0.9f * valueNoise(x * 0.6f + 7.3f, y * 0.6f, seed + 12u);
    float a = 1.0f - std::abs(2.0f * valueNoise(warpX, warpY, seed) - 1.0f);
    float b =
        1.0f - std::abs(2.0f * valueNoise(warpX * 1.9f + 3.1f, warpY * 1.9f, seed + 1u) - 1.0f);
    return std::pow(a, 10.0f) * 0.75f + std::pow(b, 12.0f) * 0.45f;
}

Colour underwaterLight(Colour lit, float wy) {
    // Red fades first, then green; deeper things get less light overall.
    float depth = std::clamp(wy / kWorldHeight, 0.0f, 1.0f);
    float light = 1.0f - 0.25f * depth;
    return {lit.r * (0.74f - 0.2f * depth) * light, lit.g * (0.9f - 0.1f * depth) * light,
            lit.b * (0.92f - 0.04f * depth) * light};
}

StrokeMask::StrokeMask(Canvas& target)
    : canvas(target), width(target.image.width()), height(target.image.height()),
      coverage(std::size_t(width) * height, 0.0f), across(coverage.size(), 0.0f),
      along(coverage.size(), 0.0f) {}

void StrokeMask::segment(Point a, Point b, float ra, float rb, float alongA, float alongB) {
    const float ppu = canvas.pixelsPerUnit();
    float r = std::max(ra, rb) + 1.0f / ppu;
    float x0 = std::min(a.x, b.x) - r, x1 = std::max(a.x, b.x) + r;
    float y0 = std::min(a.y, b.y) - r, y1 = std::max(a.y, b.y) + r;
    float dx = b.x - a.x, dy = b.y - a.y;
    float len2 = std::max(dx * dx + dy * dy, 1e-8f);
    canvas.forEachPixel(x0, y0, x1, y1, [&](int x, int y, float wx, float wy) {
        float px = wx - a.x, py = wy - a.y;
        float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
        float ex = px - t * dx, ey = py - t * dy;
        float d = std::sqrt(ex * ex + ey * ey);
        float radius = ra + (rb - ra) * t;
        // Edge softness of about one pixel; strokes thinner than a pixel fade instead.
        float cover = std::clamp((radius - d) * ppu + 0.5f, 0.0f, 1.0f);
        cover *= std::min(1.0f, 2.0f * radius * ppu);
        if (cover <= 0.0f)
            return;
        std::size_t i = std::size_t(y) * width + x;
        float side = (dx * py - dy * px) >= 0.0f ? 1.0f : -1.0f;
        float acrossHere = side * std::min(1.0f, d / std::max(radius, 1e-4f));
        // Where two segments both cover a pixel, the one it lies more centrally in wins, so
        // the joints between segments leave no seams.
        if (cover < coverage[i] ||
            (cover == coverage[i] && std::abs(acrossHere) >= std::abs(across[i])))
            return;
        coverage[i] = cover;
        across[i] = acrossHere;
        along[i] = alongA + (alongB - alongA) * t;
        dirtyX0 = std::min(dirtyX0, x);
        dirtyX1 = std::max(dirtyX1, x);
        dirtyY0 = std::min(dirtyY0, y);
        dirtyY1 = std::max(dirtyY1, y);
    });
}

void StrokeMask::polyline(const std::vector<Point>& points, const std::vector<float>& radii,
                          float along0, float along1) {
    const std::size_t n = points.size();
    if (n < 2)
        return;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        float ta = along0 + (along1 - along0) * float(i) / float(n - 1);
        float tb = along0 + (along1 - along0) * float(i + 1) / float(n - 1);
        segment(points[i], points[i + 1], radii[i], radii[i + 1], ta, tb);
    }
}

} // namespace assetgen::backdrop
