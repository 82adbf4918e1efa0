#pragma once
// The canvas the built-in backdrop is painted on. Shapes are placed in world units of the surface
// the picture is stretched over (about 117 wide and 77 high, y growing downwards from the top
// edge), so that a round pebble comes out round on screen although the texels are not square.

#include "Image.h"
#include "Noise.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace assetgen::backdrop {

constexpr float kWorldWidth = 117.0f;
constexpr float kWorldHeight = 77.0f;
// Where the water surface meets the air and where the sandy floor begins (world y, from the top).
constexpr float kSurfaceLine = 9.5f;
constexpr float kHorizon = 55.0f;

struct Point {
    float x = 0, y = 0;
};

// A small deterministic random source (the picture must come out the same at every build).
class Rng {
  public:
    explicit Rng(std::uint32_t seed) : state(seed) {}
    float next() {
        state = hash32(state + 0x9E3779B9u);
        return (state & 0xFFFFFF) / float(0x1000000);
    }
    float range(float lo, float hi) { return lo + (hi - lo) * next(); }

  private:
    std::uint32_t state;
};

class Canvas {
  public:
    explicit Canvas(Image& target)
        : image(target), unitX(target.width() / kWorldWidth),
          unitY(target.height() / kWorldHeight) {}

    Image& image;
    const float unitX, unitY; // pixels per world unit
    float pixelsPerUnit() const { return 0.5f * (unitX + unitY); }

    // World position of the centre of pixel (x, y).
    float worldX(int x) const { return (x + 0.5f) / unitX; }
    float worldY(int y) const { return (y + 0.5f) / unitY; }

    // Calls fn(x, y, wx, wy) for every pixel whose centre lies in the world rectangle.
    template <class F> void forEachPixel(float x0, float y0, float x1, float y1, F fn) {
        int px0 = std::max(0, int(std::floor(x0 * unitX)));
        int py0 = std::max(0, int(std::floor(y0 * unitY)));
        int px1 = std::min(image.width() - 1, int(std::ceil(x1 * unitX)));
        int py1 = std::min(image.height() - 1, int(std::ceil(y1 * unitY)));
        for (int y = py0; y <= py1; ++y)
            for (int x = px0; x <= px1; ++x)
                fn(x, y, worldX(x), worldY(y));
    }
};

// The colour of open water at a world position: the surface glow at the top, darkening and
// turning bluer with depth, a little lighter under the sun and darker towards the sides.
Colour waterColour(float wx, float wy);
// Brightness (0 … about 1) of the shafts of light that fall from the surface.
float lightShafts(float wx, float wy);
// What a far object fades into: the water together with some of the shafts in front of it.
Colour hazeColour(float wx, float wy);
// A network of thin bright lines, like light focused by surface waves (0 … about 1).
float caustic(float x, float y, std::uint32_t seed);
// Light lost on the way down and the blue-green tint of the water over everything lit.
Colour underwaterLight(Colour lit, float wy);

// Coverage of thick strokes, collected before they are painted so that overlapping segments of
// one plant blend once. Each covered pixel remembers where across (-1 … 1) and along (0 … 1) the
// stroke it lies.
class StrokeMask {
  public:
    explicit StrokeMask(Canvas& canvas);
    Canvas& target() { return canvas; }

    // A round-capped segment with radii changing from ra to rb (world units).
    void segment(Point a, Point b, float ra, float rb, float alongA, float alongB);
    // A smooth chain of segments; radii and along values are given per point.
    void polyline(const std::vector<Point>& points, const std::vector<float>& radii,
                  float along0 = 0.0f, float along1 = 1.0f);

    // Paints every covered pixel: shade(x, y, wx, wy, across, along) returns the colour and
    // sets the opacity (0 … 1); then the mask is emptied.
    template <class F> void paint(F shade) {
        for (int y = dirtyY0; y <= dirtyY1; ++y)
            for (int x = dirtyX0; x <= dirtyX1; ++x) {
                std::size_t i = std::size_t(y) * width + x;
                if (coverage[i] <= 0.0f)
                    continue;
                float opacity = 1.0f;
                Colour c =
                    shade(x, y, canvas.worldX(x), canvas.worldY(y), across[i], along[i], opacity);
                canvas.image.blend(x, y, c, opacity * coverage[i]);
                coverage[i] = 0.0f;
            }
        dirtyX0 = dirtyY0 = 1 << 30;
        dirtyX1 = dirtyY1 = -1;
    }

  private:
    Canvas& canvas;
    int width, height;
    std::vector<float> coverage, across, along;
    int dirtyX0 = 1 << 30, dirtyY0 = 1 << 30, dirtyX1 = -1, dirtyY1 = -1;
};

// The layers of the scene, from the back to the front.
void paintWater(Canvas& canvas);
void paintFarHills(Canvas& canvas);
void paintLightShafts(Canvas& canvas);
void paintSand(Canvas& canvas);

// A rock resting on the floor: base centre (x, baseY), half-width and height in world units;
// haze 0 (near) … 1 (lost in the water).
void paintRock(Canvas& canvas, float x, float baseY, float halfWidth, float height, float haze,
               std::uint32_t seed);
// Pebbles scattered over the floor between the given floor depths (0 horizon, 1 bottom edge).
void paintPebbles(Canvas& canvas, int count, float nearFrom, float nearTo, std::uint32_t seed);
// A starfish lying on the sand: centre, arm length in world units, turn in radians.
void paintStarfish(Canvas& canvas, Point centre, float radius, float turn, std::uint32_t seed);
// How far down the floor a world y lies: 0 at the horizon, 1 at the bottom edge.
float floorDepth(float wy);
// Haze of something standing on the floor at world y.
float floorHaze(float wy);

void paintKelp(StrokeMask& mask, Point base, float height, float haze, std::uint32_t seed);
// Long wavy ribbons from one holdfast.
void paintRibbonWeed(StrokeMask& mask, Point base, float height, float haze, std::uint32_t seed);
void paintSeaweedTuft(StrokeMask& mask, Point base, float size, Colour colour, float haze,
                      std::uint32_t seed);
void paintSeaFan(StrokeMask& mask, Point base, float size, float haze, std::uint32_t seed);
void paintBranchCoral(StrokeMask& mask, Point base, float size, float haze, std::uint32_t seed);
void paintTubeSponges(StrokeMask& mask, Point base, float size, float haze, std::uint32_t seed);
void paintBrainCoral(Canvas& canvas, Point base, float halfWidth, float height, float haze,
                     std::uint32_t seed);

} // namespace assetgen::backdrop
