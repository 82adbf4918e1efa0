// The built-in backdrop picture: an underwater scene behind the tank. Painted from the back to
// the front in screen orientation, then stored mirrored left to right, because the surface it
// is stretched over runs its texture from the right edge of the tank to the left.

#include "BackdropCanvas.h"
#include "Registry.h"

#include <cmath>

namespace assetgen {

namespace {

using namespace backdrop;

constexpr int kWidth = 1024;
constexpr int kHeight = 512;

void paintScene(Canvas& canvas) {
    StrokeMask mask(canvas);
    const Colour olive = rgb255(112, 122, 58), rust = rgb255(136, 92, 62),
                 sage = rgb255(96, 128, 92);

    paintWater(canvas);
    paintFarHills(canvas);
    // Kelp far away, hardly more than shadows in the water.
    paintKelp(mask, {66.0f, kHorizon + 0.5f}, 27.0f, 0.8f, 11u);
    paintRibbonWeed(mask, {73.0f, kHorizon + 0.8f}, 18.0f, 0.82f, 12u);
    paintKelp(mask, {40.0f, kHorizon + 0.4f}, 19.0f, 0.84f, 13u);
    paintLightShafts(canvas);
    paintSand(canvas);
    paintPebbles(canvas, 260, 0.12f, 0.6f, 21u);

    // Right: a sea fan behind a rock, sponges and weed around it.
    paintKelp(mask, {97.0f, 58.5f}, 34.0f, 0.55f, 14u);
    paintSeaFan(mask, {86.0f, 58.0f}, 17.0f, 0.45f, 31u);
    paintRock(canvas, 89.0f, 62.5f, 9.0f, 8.5f, 0.4f, 41u);
    paintRock(canvas, 100.0f, 64.0f, 4.0f, 3.2f, 0.36f, 42u);
    paintTubeSponges(mask, {76.0f, 64.0f}, 8.5f, 0.3f, 51u);
    paintSeaweedTuft(mask, {82.0f, 65.0f}, 3.5f, olive, 0.3f, 61u);

    // Left: kelp standing behind a group of rocks.
    paintKelp(mask, {11.0f, 60.0f}, 46.0f, 0.5f, 15u);
    paintRibbonWeed(mask, {22.0f, 59.0f}, 30.0f, 0.52f, 16u);
    paintKelp(mask, {29.0f, 61.0f}, 32.0f, 0.45f, 17u);
    paintRock(canvas, 17.0f, 67.0f, 13.0f, 12.5f, 0.28f, 43u);
    paintRock(canvas, 31.5f, 65.5f, 6.5f, 5.5f, 0.3f, 44u);
    paintSeaweedTuft(mask, {27.0f, 68.5f}, 4.0f, rust, 0.24f, 62u);

    // The open middle: low growth only, so the fish stand out against calm water.
    paintBranchCoral(mask, {39.5f, 66.5f}, 9.0f, 0.28f, 71u);
    paintBrainCoral(canvas, {51.0f, 67.0f}, 4.6f, 3.3f, 0.26f, 81u);
    paintSeaweedTuft(mask, {58.0f, 66.0f}, 3.0f, sage, 0.3f, 63u);
    paintSeaweedTuft(mask, {66.0f, 68.0f}, 3.6f, olive, 0.26f, 64u);

    paintPebbles(canvas, 110, 0.6f, 1.0f, 22u);
    paintStarfish(canvas, {61.0f, 69.0f}, 2.3f, 0.3f, 91u);

    // The nearest plants, at both edges.
    paintKelp(mask, {4.0f, 76.0f}, 60.0f, 0.22f, 18u);
    paintRibbonWeed(mask, {110.0f, 75.0f}, 40.0f, 0.24f, 19u);
    paintSeaweedTuft(mask, {44.0f, 72.0f}, 4.5f, rust, 0.18f, 65u);
    paintSeaweedTuft(mask, {104.0f, 71.0f}, 5.0f, olive, 0.2f, 66u);
}

// Darker corners, a faint dither against banding, and no pure black anywhere (black texels
// would turn transparent in the mipmapped texture).
void finishPicture(Image& img) {
    const float minimum = 2.0f / 255.0f;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            float u = (x + 0.5f) / img.width() * 2.0f - 1.0f;
            float v = (y + 0.5f) / img.height() * 2.0f - 1.0f;
            float vignette = 1.0f - 0.22f * std::pow(std::min(1.0f, (u * u + v * v) * 0.5f), 1.5f);
            float dither = (latticeValue(x, y, 9001u) - 0.5f) / 255.0f;
            Colour& c = img.at(x, y);
            c = {std::clamp(c.r * vignette + dither, minimum, 1.0f),
                 std::clamp(c.g * vignette + dither, minimum, 1.0f),
                 std::clamp(c.b * vignette + dither, minimum, 1.0f)};
        }
}

bool makeBackdrop(const std::string& outputPath) {
    Image picture(kWidth, kHeight);
    Canvas canvas(picture);
    paintScene(canvas);
    finishPicture(picture);
    Image stored(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            stored.at(kWidth - 1 - x, y) = picture.at(x, y);
    return stored.writeBmp24(outputPath);
}

} // namespace

ASSET_GENERATOR("backdrop", makeBackdrop);

} // namespace assetgen
