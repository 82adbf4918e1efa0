// The open water of the backdrop: the surface seen from below, the body of water, the hills far
// away and the shafts of light that fall through it all.

#include "BackdropCanvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen::backdrop {

namespace {

// Height of the waves where the surface meets the water, in world units from the top.
float surfaceEdge(float wx) {
    return kSurfaceLine + 0.6f * std::sin(wx * 0.21f) +
           1.1f * (fractalNoise(wx * 0.09f, 0.5f, 91u, 3) - 0.5f);
}

// The underside of the surface: bright rippled bands, brightest where it meets the water.
Colour surfaceUnderside(float wx, float wy, float edge) {
    float toEdge = smoothstep(edge - 8.0f, edge, wy);
    Colour c = mix(rgb255(84, 160, 168), rgb255(176, 226, 220), toEdge);
    // Waves seen from below are flattened by the angle: stretch the pattern sideways.
    float ripple = caustic(wx * 0.16f, wy * 0.85f, 93u);
    float streak = fractalNoise(wx * 0.05f, wy * 0.6f, 94u, 3);
    c = add(c, scale(rgb255(200, 240, 232), 0.38f * ripple + 0.12f * (streak - 0.5f)));
    float sun = std::exp(-std::pow((wx - 38.0f) / 22.0f, 2.0f));
    return add(c, scale(rgb255(70, 70, 56), sun * (0.4f + 0.6f * toEdge)));
}

} // namespace

void paintWater(Canvas& canvas) {
    Image& img = canvas.image;
    for (int y = 0; y < img.height(); ++y) {
        float wy = canvas.worldY(y);
        for (int x = 0; x < img.width(); ++x) {
            float wx = canvas.worldX(x);
            float edge = surfaceEdge(wx);
            Colour water = waterColour(wx, wy);
            // Blend the surface into the water over about half a world unit.
            float surface = smoothstep(edge + 0.35f, edge - 0.35f, wy);
            if (surface > 0.0f)
                water = mix(water, surfaceUnderside(wx, wy, edge), surface);
            // A faint shimmer in the first units under the surface.
            float under = wy - edge;
            if (under > 0.0f && under < 14.0f) {
                float shimmer = caustic(wx * 0.22f, wy * 0.5f, 95u);
                water = add(
                    water, scale(rgb255(120, 190, 180), 0.16f * shimmer * std::exp(-under / 4.5f)));
            }
            img.at(x, y) = water;
        }
    }
}

void paintFarHills(Canvas& canvas) {
    struct Layer {
        float base, rise, scaleX, haze;
        std::uint32_t seed;
    };
    // The farther range first; the nearer one shows only as a few outcrops.
    const Layer layers[] = {{kHorizon - 1.0f, 7.0f, 0.035f, 0.86f, 301u},
                            {kHorizon + 1.5f, 6.5f, 0.06f, 0.74f, 302u}};
    for (const Layer& layer : layers) {
        canvas.forEachPixel(0, kHorizon - layer.rise - 6.0f, kWorldWidth, kHorizon + 6.0f,
                            [&](int x, int y, float wx, float wy) {
                                float n = fractalNoise(wx * layer.scaleX, 0.5f, layer.seed, 4);
                                float top = layer.base - layer.rise * smoothstep(0.35f, 0.85f, n);
                                float cover = smoothstep(top - 0.25f, top + 0.25f, wy);
                                if (cover <= 0.0f)
                                    return;
                                // Dark rock, lit a little from above.
                                float lit = 0.7f + 0.3f * smoothstep(top + 3.0f, top, wy);
                                float mottle = fractalNoise(wx * 0.3f, wy * 0.3f, layer.seed, 3);
                                Colour rock =
                                    scale(rgb255(92, 100, 96), lit * (0.8f + 0.4f * mottle));
                                Colour c =
                                    mix(underwaterLight(rock, wy), hazeColour(wx, wy), layer.haze);
                                canvas.image.blend(x, y, c, cover);
                            });
    }
}

void paintLightShafts(Canvas& canvas) {
    Image& img = canvas.image;
    const Colour shaftColour = rgb255(120, 170, 158);
    for (int y = 0; y < img.height(); ++y) {
        float wy = canvas.worldY(y);
        if (wy < kSurfaceLine - 1.0f)
            continue;
        for (int x = 0; x < img.width(); ++x) {
            float shaft = lightShafts(canvas.worldX(x), wy);
            if (shaft > 0.0f)
                img.at(x, y) = add(img.at(x, y), scale(shaftColour, 0.30f * shaft));
        }
    }
}

} // namespace assetgen::backdrop
