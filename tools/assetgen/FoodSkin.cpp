// The food creature's picture: the skin of a small red shrimp. The creature is drawn unlit, so
// its shading is painted in: s runs round the body (0 on the back, 0.5 on the belly) and t
// along it (head at t 0.02, tail fan end at t 0.58); the legs and feelers use t 0.62 ... 0.78
// (root to tip) and the eyes t 0.84 ... 0.98 (see tools/foodmesh/foodmesh.py).

#include <cmath>

#include "Image.h"
#include "Noise.h"
#include "Registry.h"

namespace assetgen {

namespace {

constexpr int kSide = 128;
constexpr float kPi = 3.14159265f;

Colour bodyColour(float s, float t) {
    const float along = clamp01((t - 0.02f) / 0.56f); // 0 at the head, 1 at the tail
    // Light from above, painted in: bright on the back, deep on the flanks, warm on the belly.
    const float light = 0.5f + 0.5f * std::cos(2 * kPi * s);
    Colour shell = mix(rgb255(150, 30, 22), rgb255(236, 88, 52), light);
    // A pale glassy stripe along the back and a paler belly.
    const float back = std::exp(-std::pow(std::fmod(s + 0.5f, 1.0f) - 0.5f, 2.0f) / 0.0016f);
    shell = mix(shell, rgb255(255, 214, 170), 0.75f * back);
    const float belly = std::exp(-std::pow(s - 0.5f, 2.0f) / 0.006f);
    shell = mix(shell, rgb255(246, 170, 130), 0.55f * belly);
    // Dark joints between the tail segments; the head shield is smooth.
    if (along > 0.40f) {
        const float segment = std::fmod((along - 0.40f) / 0.10f, 1.0f);
        const float joint =
            smoothstep(0.80f, 0.97f, segment) * (1 - smoothstep(0.97f, 1.0f, segment));
        shell = scale(shell, 1.0f - 0.45f * joint);
    } else {
        // The head shield's rim, and the darker gut showing through behind it.
        const float rim = smoothstep(0.34f, 0.40f, along) * (1 - smoothstep(0.40f, 0.42f, along));
        shell = scale(shell, 1.0f - 0.35f * rim);
    }
    // Faint dark-red speckles (soft, so that the small creature does not shimmer).
    const float speck = valueNoise(s * 24, t * 48, 17u, 24);
    if (speck > 0.82f)
        shell = mix(shell, rgb255(110, 18, 16), smoothstep(0.82f, 0.92f, speck) * 0.35f);
    // The tail end turns paler and glassier.
    shell = mix(shell, rgb255(250, 190, 150), 0.35f * smoothstep(0.85f, 1.0f, along));
    return shell;
}

Colour limbColour(float s, float t) {
    const float along = clamp01((t - 0.62f) / 0.16f); // root to tip
    const float middle = 1.0f - std::fabs(s * 2 - 1);
    Colour c = mix(rgb255(214, 74, 48), rgb255(252, 170, 120), 0.6f * middle);
    c = mix(c, rgb255(160, 36, 28), 0.5f * smoothstep(0.6f, 1.0f, along));
    // Faint bands across legs and feelers.
    const float band = 0.5f + 0.5f * std::sin(along * 28.0f);
    return scale(c, 0.85f + 0.15f * band);
}

Colour eyeColour(float s, float t) {
    Colour c = rgb255(22, 16, 24);
    const float glint = std::exp(-(std::pow(s - 0.3f, 2.0f) + std::pow(t - 0.93f, 2.0f)) / 0.0012f);
    return mix(c, rgb255(230, 236, 255), 0.85f * glint);
}

bool makeFoodSkin(const std::string& path) {
    Image image(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        const float t =
            1.0f - (float(y) + 0.5f) / kSide; // BMP rows run bottom-up: t 0 at the bottom
        for (int x = 0; x < kSide; ++x) {
            const float s = (float(x) + 0.5f) / kSide;
            if (t < 0.60f)
                image.at(x, y) = bodyColour(s, t);
            else if (t < 0.81f)
                image.at(x, y) = limbColour(s, t);
            else
                image.at(x, y) = eyeColour(s, t);
        }
    }
    return image.writeBmp24(path);
}

} // namespace

ASSET_GENERATOR("foodskin", makeFoodSkin);

} // namespace assetgen
