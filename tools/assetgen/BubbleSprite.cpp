// The bubble sprite: a soft, clear bubble with a bright rim and a highlight, on black. The
// sprites are blended additively, so black is see-through and every lit texel adds light.

#include <cmath>

#include "Image.h"
#include "Registry.h"

namespace assetgen {

namespace {

constexpr int kSide = 32;
constexpr int kSamples = 4; // per side of a texel

float gaussian(float d, float width) {
    return std::exp(-(d * d) / (2 * width * width));
}

// Light of the bubble at a point of the quad as it appears on screen: x to the right, y up,
// both in -1 … 1 across the sprite.
Colour bubbleLight(float x, float y) {
    const float r = std::sqrt(x * x + y * y);
    if (r >= 1.0f)
        return {};
    const Colour water = {0.68f, 0.87f, 1.0f};
    const Colour white = {1.0f, 1.0f, 1.0f};
    // A faint body, a thin bright rim (light bent along the edge) and a soft fall-off outside.
    const float body = 0.10f * smoothstep(0.0f, 0.8f, r);
    const float rim = 0.85f * gaussian(r - 0.78f, 0.07f);
    const float edge = 1.0f - smoothstep(0.86f, 0.98f, r);
    Colour c = scale(water, (body + rim) * edge);
    // The window reflection at the upper left and a dimmer one at the lower right.
    const float spot = gaussian(std::hypot(x + 0.34f, y - 0.36f), 0.12f);
    const float glint = 0.35f * gaussian(std::hypot(x - 0.42f, y + 0.40f), 0.08f) * edge;
    c = add(c, scale(white, 0.95f * spot + glint));
    return c;
}

bool makeBubbleSprite(const std::string& path) {
    Image image(kSide, kSide);
    // The quad maps the texture's s axis upwards and its t axis to the right, so a picture
    // column is a screen row and a picture row (from the bottom) is a screen column.
    paintSupersampled(image, kSamples,
                      [](float s, float t) { return bubbleLight(t * 2 - 1, s * 2 - 1); });
    return image.writeBmp24(path);
}

} // namespace

ASSET_GENERATOR("bubble", makeBubbleSprite);

} // namespace assetgen
