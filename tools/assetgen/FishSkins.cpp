// The five species skins of the main fish, painted as side views on the mesh's own texture
// layout (FishSkinLayout): a clownfish, a blue tang, a yellow tang, a striped angelfish and a
// spotted koi. Shading that the scene's bright light would wash out (a darker back, a paler
// belly, scales, fin rays, a rim toward the outline) is painted into the skin.

#include <cmath>

#include "FishSkinLayout.h"
#include "Image.h"
#include "Noise.h"
#include "Registry.h"

namespace assetgen {

namespace {

constexpr int kSide = 512;
constexpr int kSamples = 2; // per side of a texel
constexpr float kPi = 3.14159265f;

using Painter = Colour (*)(const SkinSpot&);

float gaussian(float d, float width) {
    return std::exp(-(d * d) / (2 * width * width));
}

// A band across the body centred at `x`, `width` wide, with soft edges.
float band(float at, float x, float width, float softness = 0.004f) {
    return 1.0f - smoothstep(width * 0.5f - softness, width * 0.5f + softness, std::fabs(at - x));
}

// Overlapping scale rows: a faint darker crescent at the back of every scale.
float scales(const SkinSpot& p, float size) {
    const float row = p.z / (size * 0.8f);
    const float shift = (int(std::floor(row)) & 1) ? 0.5f : 0.0f;
    const float column = p.x / size + shift;
    const float fx = column - std::floor(column), fz = row - std::floor(row);
    const float d = std::hypot(fx - 0.15f, (fz - 0.5f) * 0.9f);
    return 1.0f - 0.07f * smoothstep(0.45f, 0.62f, d);
}

// Brightness of the body: a paler belly, a darker back, and shade toward the outline.
float bodyShade(const SkinSpot& p) {
    const float back = smoothstep(0.55f, 1.0f, p.height);
    const float rim = smoothstep(0.0f, 0.012f, p.rim);
    return (1.02f - 0.16f * back) * (0.80f + 0.20f * rim);
}

// Fin rays: thin darker lines running from the base to the edge.
float finRays(const SkinSpot& p) {
    float phase = 0;
    switch (p.region) {
    case SkinRegion::TailFin:
        phase = std::atan2(p.z + 0.005f, p.x - 0.29f) * 22.0f;
        break;
    case SkinRegion::PectoralFin:
        phase = std::atan2(p.z + 0.02f, p.x + 0.235f) * 16.0f;
        break;
    default:
        phase = (p.x - p.z * (p.region == SkinRegion::DorsalFin ? 0.45f : -0.45f)) * 230.0f;
        break;
    }
    return 0.88f + 0.12f * std::pow(0.5f + 0.5f * std::cos(phase), 3.0f);
}

// The eye: a ring of iris, a black pupil and a highlight; `amount` is how much of it covers p.
Colour paintEye(const SkinSpot& p, Colour under, Colour iris) {
    if (p.region != SkinRegion::Body && p.region != SkinRegion::Lips)
        return under;
    const float d = std::hypot(p.x - FishSkinLayout::kEyeX, p.z - FishSkinLayout::kEyeZ);
    const float r = FishSkinLayout::kEyeRadius * 1.25f; // a little beyond the raised eye
    Colour c = mix(under, scale(iris, 0.9f), 1.0f - smoothstep(r * 0.95f, r * 1.1f, d));
    c = mix(c, rgb255(30, 24, 20),
            1.0f - smoothstep(r * 0.95f, r * 1.05f, d) -
                (1.0f - smoothstep(r * 0.78f, r * 0.88f, d)));
    c = mix(c, rgb255(8, 8, 10), 1.0f - smoothstep(r * 0.48f, r * 0.56f, d));
    const float glint =
        std::hypot(p.x - FishSkinLayout::kEyeX + r * 0.28f, p.z - FishSkinLayout::kEyeZ - r * 0.3f);
    return mix(c, rgb255(250, 250, 250), 1.0f - smoothstep(r * 0.12f, r * 0.2f, glint));
}

// The gill cover's edge: a soft darker arc behind the head.
float gillShade(const SkinSpot& p) {
    if (p.region != SkinRegion::Body)
        return 1.0f;
    const float arcX = -0.365f + 0.05f * (p.height - 0.5f) * (p.height - 0.5f);
    return 1.0f - 0.22f * gaussian(p.x - arcX, 0.003f) * smoothstep(0.05f, 0.3f, p.height) *
                      (1.0f - smoothstep(0.8f, 0.95f, p.height));
}

Colour finish(const SkinSpot& p, Colour c, Colour iris) {
    if (p.region == SkinRegion::Body)
        c = scale(c, bodyShade(p) * scales(p, 0.016f) * gillShade(p));
    else if (p.region != SkinRegion::Lips)
        c = scale(c, finRays(p));
    return paintEye(p, c, iris);
}

bool isFin(const SkinSpot& p) {
    return p.region != SkinRegion::Body && p.region != SkinRegion::Lips;
}

// ---------------------------------------------------------------- clownfish
Colour clownfish(const SkinSpot& p) {
    const Colour orange = rgb255(242, 102, 14), deep = rgb255(205, 70, 8);
    const Colour white = rgb255(250, 249, 243), black = rgb255(22, 16, 14);
    Colour c = mix(orange, deep, smoothstep(0.6f, 1.0f, p.height) * 0.6f);
    if (p.region == SkinRegion::Lips)
        return finish(p, rgb255(230, 120, 60), rgb255(240, 110, 20));
    if (p.region == SkinRegion::Body) {
        // Three white bands edged in black: behind the eye, mid-body bulging forward, and
        // across the tail stem.
        const float h = p.height - 0.5f;
        const float centres[3] = {-0.352f + 0.04f * h * h, -0.075f - 0.05f * std::cos(h * kPi),
                                  0.262f};
        const float widths[3] = {0.05f, 0.062f, 0.03f};
        for (int i = 0; i < 3; ++i) {
            c = mix(c, black, band(p.x, centres[i], widths[i] + 0.016f));
            c = mix(c, white, band(p.x, centres[i], widths[i]));
        }
    } else {
        const float margin = p.region == SkinRegion::PectoralFin ? 0.9f : 0.72f;
        c = mix(orange, black, smoothstep(margin - 0.06f, margin + 0.04f, p.toEdge));
        if (p.region == SkinRegion::TailFin || p.region == SkinRegion::DorsalFin)
            c = mix(c, white, smoothstep(0.9f, 0.97f, p.toEdge) * 0.7f);
        if (p.region == SkinRegion::DorsalFin)
            c = mix(c, white, band(p.x, -0.075f, 0.05f) * (1 - smoothstep(0.3f, 0.5f, p.toEdge)));
    }
    return finish(p, c, rgb255(235, 110, 25));
}

// ---------------------------------------------------------------- blue tang
Colour blueTang(const SkinSpot& p) {
    const Colour blue = rgb255(28, 78, 205), pale = rgb255(70, 140, 230);
    const Colour black = rgb255(12, 14, 30), yellow = rgb255(255, 205, 20);
    if (p.region == SkinRegion::Lips)
        return finish(p, rgb255(40, 70, 150), rgb255(20, 20, 30));
    Colour c = mix(pale, blue, smoothstep(0.1f, 0.55f, p.height));
    if (p.region == SkinRegion::Body) {
        // The dark "palette": a sweep from the eye along the upper flank that swings down to
        // the tail stem, with a blue oval left inside it.
        const float u = p.along, v = p.height;
        const float mid = 0.72f - 0.55f * std::max(0.0f, u - 0.5f) * std::max(0.0f, u - 0.5f) * 4;
        const float arm = band(v, mid, 0.22f, 0.03f) * smoothstep(0.06f, 0.14f, u);
        const float wedge = band(v, 0.5f, 0.45f * (1 - u), 0.03f) * smoothstep(0.62f, 0.72f, u);
        const float oval = std::hypot((u - 0.46f) / 0.17f, (v - 0.80f) / 0.075f);
        float dark = std::max(arm, wedge) * smoothstep(0.9f, 1.1f, oval);
        dark *= 1.0f - smoothstep(0.88f, 0.95f, u);
        c = mix(c, black, dark);
        // Yellow tail stem and the dark spine ahead of it.
        c = mix(c, yellow, smoothstep(0.9f, 0.95f, u));
    } else if (p.region == SkinRegion::TailFin) {
        const float spread = std::fabs(p.z + 0.036f) / 0.1f;
        c = mix(yellow, black, smoothstep(0.55f, 0.75f, spread + 0.25f * p.toEdge));
    } else if (p.region == SkinRegion::PectoralFin) {
        c = mix(blue, yellow, smoothstep(0.35f, 0.7f, p.toEdge));
    } else {
        c = mix(blue, black, smoothstep(0.72f, 0.82f, p.toEdge));
        c = mix(c, pale, smoothstep(0.9f, 0.98f, p.toEdge) * 0.6f);
    }
    return finish(p, c, rgb255(25, 25, 40));
}

// ---------------------------------------------------------------- yellow tang
Colour yellowTang(const SkinSpot& p) {
    const Colour yellow = rgb255(255, 212, 10), warm = rgb255(246, 180, 0);
    const Colour pale = rgb255(255, 236, 110);
    if (p.region == SkinRegion::Lips)
        return finish(p, rgb255(240, 190, 40), rgb255(30, 30, 30));
    Colour c = mix(pale, yellow, smoothstep(0.05f, 0.4f, p.height));
    c = mix(c, warm, smoothstep(0.65f, 1.0f, p.height) * 0.7f);
    if (p.region == SkinRegion::Body) {
        // The white spine on the tail stem, and a faint lateral line.
        const float spine = std::hypot((p.x - 0.27f) / 0.012f, (p.height - 0.5f) / 0.09f);
        c = mix(c, rgb255(252, 252, 240), 1.0f - smoothstep(0.8f, 1.1f, spine));
        c = scale(c, 1.0f - 0.06f * band(p.height, 0.72f - 0.25f * p.along, 0.02f, 0.01f));
    } else {
        c = mix(yellow, pale, smoothstep(0.5f, 1.0f, p.toEdge) * 0.5f);
    }
    return finish(p, c, rgb255(40, 35, 20));
}

// ---------------------------------------------------------------- striped angelfish
Colour angelfish(const SkinSpot& p) {
    const Colour silver = rgb255(228, 230, 222), gold = rgb255(222, 200, 140);
    const Colour black = rgb255(20, 20, 22), finGrey = rgb255(198, 202, 196);
    if (p.region == SkinRegion::Lips)
        return finish(p, rgb255(200, 190, 170), rgb255(200, 40, 30));
    Colour c = mix(silver, gold, smoothstep(0.55f, 1.0f, p.height) * 0.55f);
    if (isFin(p))
        c = mix(finGrey, rgb255(240, 240, 236), p.toEdge * 0.5f);
    // Four black bars that run across the body into the fins: through the eye, behind the gill,
    // mid-body and before the tail stem; each leans back a little with height.
    const float lean = (p.z + 0.02f) * 0.25f;
    const float centres[4] = {-0.432f, -0.28f, -0.06f, 0.175f};
    const float widths[4] = {0.022f, 0.04f, 0.055f, 0.042f};
    if (p.region != SkinRegion::TailFin && p.region != SkinRegion::PectoralFin) {
        for (int i = 0; i < 4; ++i)
            c = mix(c, black, band(p.x - lean, centres[i], widths[i], 0.005f) * 0.92f);
    }
    if (p.region == SkinRegion::TailFin) {
        const float stripes = 0.5f + 0.5f * std::cos((p.x - 0.3f) * 140.0f);
        c = mix(c, rgb255(90, 90, 92), smoothstep(0.6f, 0.9f, stripes) * 0.6f);
    }
    if (p.region == SkinRegion::DorsalFin || p.region == SkinRegion::AnalFin)
        c = mix(c, black, smoothstep(0.85f, 0.95f, p.toEdge) * 0.5f);
    if (p.region == SkinRegion::PelvicFin)
        c = mix(c, black, smoothstep(0.2f, 0.5f, p.toEdge) * 0.8f);
    return finish(p, c, rgb255(200, 40, 30));
}

// ---------------------------------------------------------------- spotted koi
Colour koi(const SkinSpot& p) {
    const Colour white = rgb255(246, 242, 236), red = rgb255(232, 78, 22);
    const Colour black = rgb255(25, 22, 24);
    if (p.region == SkinRegion::Lips)
        return finish(p, rgb255(240, 200, 185), rgb255(40, 40, 40));
    Colour c = white;
    if (p.region == SkinRegion::Body) {
        // Large red patches over the back, a red cap on the head and a few black spots.
        const float patches = fractalNoise(p.x * 16.0f, p.z * 16.0f, 71u, 3);
        const float onBack = smoothstep(0.25f, 0.75f, p.height);
        const float redAmount = smoothstep(0.47f, 0.53f, patches + 0.22f * onBack - 0.08f);
        c = mix(c, red, redAmount);
        const float cap = std::hypot((p.x + 0.33f) / 0.075f, (p.height - 0.92f) / 0.3f);
        c = mix(c, red, 1.0f - smoothstep(0.85f, 1.05f, cap));
        const float spots = fractalNoise(p.x * 30.0f, p.z * 30.0f, 913u, 2);
        c = mix(c, black, smoothstep(0.72f, 0.76f, spots) * smoothstep(-0.3f, -0.1f, p.x));
    } else {
        const float tint = fractalNoise(p.x * 12.0f, p.z * 12.0f, 5u, 2);
        c = mix(rgb255(236, 232, 226), red, smoothstep(0.55f, 0.7f, tint) * 0.45f);
        c = mix(c, rgb255(250, 250, 250), p.toEdge * 0.4f);
    }
    return finish(p, c, rgb255(60, 60, 70));
}

bool paintSkin(const std::string& path, Painter painter) {
    const FishSkinLayout layout;
    Image image(kSide, kSide);
    paintSupersampled(image, kSamples,
                      [&](float s, float t) { return painter(layout.locate(s, t)); });
    return image.writeBmp24(path);
}

bool makeFishSkin0(const std::string& path) {
    return paintSkin(path, clownfish);
}
bool makeFishSkin1(const std::string& path) {
    return paintSkin(path, blueTang);
}
bool makeFishSkin2(const std::string& path) {
    return paintSkin(path, yellowTang);
}
bool makeFishSkin3(const std::string& path) {
    return paintSkin(path, angelfish);
}
bool makeFishSkin4(const std::string& path) {
    return paintSkin(path, koi);
}

} // namespace

ASSET_GENERATOR("fishskin0", makeFishSkin0);
ASSET_GENERATOR("fishskin1", makeFishSkin1);
ASSET_GENERATOR("fishskin2", makeFishSkin2);
ASSET_GENERATOR("fishskin3", makeFishSkin3);
ASSET_GENERATOR("fishskin4", makeFishSkin4);

} // namespace assetgen
