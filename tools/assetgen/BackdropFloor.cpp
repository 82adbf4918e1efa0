// The floor of the backdrop: rippled sand seen in perspective, pebbles, a starfish and rocks.

#include "BackdropCanvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen::backdrop {

namespace {

constexpr float kFloorSpan = kWorldHeight - kHorizon;

struct Vec3 {
    float x, y, z;
};
Vec3 normalised(Vec3 v) {
    float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / len, v.y / len, v.z / len};
}
// Toward the light: up, a little to the left and toward the viewer (y grows downwards).
const Vec3 kLight = normalised({-0.35f, -0.85f, 0.45f});
const Vec3 kPebbleLight = normalised({-0.3f, -0.55f, 0.8f});

float horizonAt(float wx) {
    return kHorizon + 1.8f * (fractalNoise(wx * 0.05f, 1.5f, 401u, 3) - 0.5f);
}

// Position on the floor plane: across and into the distance, in units of the near floor.
struct FloorPoint {
    float across, distance;
};
FloorPoint floorPoint(float wx, float wy) {
    float d = floorDepth(wy);
    float distance = 14.0f / (d + 0.25f);
    return {(wx - kWorldWidth * 0.5f) * distance / 11.2f, distance};
}

} // namespace

float floorDepth(float wy) {
    return std::clamp((wy - kHorizon) / kFloorSpan, 0.0f, 1.0f);
}

float floorHaze(float wy) {
    return 0.9f - 0.7f * std::pow(smoothstep(0.0f, 1.0f, floorDepth(wy)), 0.7f);
}

void paintSand(Canvas& canvas) {
    const Colour sand = rgb255(214, 194, 150);
    const Colour darkSand = rgb255(168, 150, 114);
    const Colour algae = rgb255(120, 140, 84);
    canvas.forEachPixel(
        0, kHorizon - 2.0f, kWorldWidth, kWorldHeight, [&](int x, int y, float wx, float wy) {
            float horizon = horizonAt(wx);
            float cover = smoothstep(horizon - 0.3f, horizon + 0.3f, wy);
            if (cover <= 0.0f)
                return;
            float d = floorDepth(wy);
            FloorPoint p = floorPoint(wx, wy);
            // Patches of darker sand and a little green growth.
            float patch = fractalNoise(p.across * 0.12f, p.distance * 0.2f, 402u, 4);
            Colour c = mix(darkSand, sand, smoothstep(0.25f, 0.7f, patch));
            float green = fractalNoise(p.across * 0.08f, p.distance * 0.15f, 403u, 3);
            c = mix(c, algae, 0.45f * smoothstep(0.6f, 0.8f, green));
            // Ripples running across, bent by the current; sharp crests.
            float warp = 3.0f * fractalNoise(p.across * 0.07f, p.distance * 0.09f, 404u, 3);
            float phase = p.distance * 2.5f + warp * 6.2832f;
            float ripple = std::sin(phase + 0.7f * std::sin(phase));
            float rippleFade = smoothstep(0.0f, 0.2f, d);
            float light = 0.78f + 0.16f * ripple * rippleFade;
            // Light focused by the waves, fading into the distance.
            float focus = caustic(p.across * 0.28f, p.distance * 0.28f, 405u);
            light += 0.5f * focus * smoothstep(0.05f, 0.45f, d);
            // Grains: a fine, fixed speckle.
            float grain = latticeValue(x, y, 406u) - 0.5f;
            light += 0.05f * grain * d;
            Colour lit = underwaterLight(scale(c, light), wy);
            Colour result = mix(lit, hazeColour(wx, wy), floorHaze(wy));
            canvas.image.blend(x, y, result, cover);
        });
}

void paintPebbles(Canvas& canvas, int count, float nearFrom, float nearTo, std::uint32_t seed) {
    struct Pebble {
        float x, y, radius, tilt;
        Colour colour;
        std::uint32_t seed;
    };
    const Colour palette[] = {rgb255(176, 170, 160), rgb255(150, 130, 108), rgb255(200, 184, 150),
                              rgb255(128, 126, 120), rgb255(184, 152, 122), rgb255(140, 148, 128)};
    Rng rng(seed);
    std::vector<Pebble> pebbles;
    for (int i = 0; i < count; ++i) {
        float d = nearFrom + (nearTo - nearFrom) * std::sqrt(rng.next());
        float size = rng.next();
        Pebble p;
        p.x = rng.range(1.0f, kWorldWidth - 1.0f);
        p.y = kHorizon + d * kFloorSpan;
        p.radius = (0.25f + 0.75f * size * size) * (0.4f + 1.0f * d);
        p.tilt = rng.range(-0.3f, 0.3f);
        p.colour = scale(palette[int(rng.next() * 6) % 6], rng.range(0.85f, 1.1f));
        p.seed = seed * 131u + std::uint32_t(i);
        pebbles.push_back(p);
    }
    // Far ones first, so nearer pebbles lie over them.
    std::sort(pebbles.begin(), pebbles.end(),
              [](const Pebble& a, const Pebble& b) { return a.y < b.y; });
    for (const Pebble& p : pebbles) {
        const float rx = p.radius, ry = p.radius * 0.58f;
        const float haze = floorHaze(p.y);
        const float ppu = canvas.pixelsPerUnit();
        // A soft shadow under and to the right of the pebble.
        canvas.forEachPixel(p.x - rx * 1.6f, p.y - ry, p.x + rx * 1.8f, p.y + ry * 1.8f,
                            [&](int x, int y, float wx, float wy) {
                                float u = (wx - p.x - rx * 0.25f) / (rx * 1.35f);
                                float v = (wy - p.y - ry * 0.45f) / (ry * 1.2f);
                                float s = std::clamp(1.0f - (u * u + v * v), 0.0f, 1.0f);
                                Colour& c = canvas.image.at(x, y);
                                c = scale(c, 1.0f - 0.4f * s * s * (1.0f - haze));
                            });
        canvas.forEachPixel(
            p.x - rx, p.y - ry, p.x + rx, p.y + ry, [&](int x, int y, float wx, float wy) {
                float u = (wx - p.x) / rx, v = (wy - p.y) / ry;
                u += p.tilt * v;
                float r2 = u * u + v * v;
                float cover = std::clamp((1.0f - std::sqrt(r2)) * ry * ppu + 0.5f, 0.0f, 1.0f);
                if (cover <= 0.0f)
                    return;
                float nz = std::sqrt(std::max(0.0f, 1.0f - r2));
                // Seen from above at a slant: mostly the lit top shows.
                Vec3 n = normalised({u, v, nz + 0.05f});
                float lambert = std::max(0.0f, n.x * kPebbleLight.x + n.y * kPebbleLight.y +
                                                   n.z * kPebbleLight.z);
                float spots = fractalNoise(wx * 2.5f, wy * 2.5f, p.seed, 2);
                Colour base = scale(p.colour, 0.85f + 0.3f * spots);
                Colour lit = scale(base, 0.35f + 0.8f * lambert);
                lit = add(lit, scale(rgb255(220, 230, 220), 0.18f * std::pow(lambert, 12.0f)));
                Colour c = mix(underwaterLight(lit, wy), hazeColour(wx, wy), haze);
                canvas.image.blend(x, y, c, cover);
            });
    }
}

void paintRock(Canvas& canvas, float x, float baseY, float halfWidth, float height, float haze,
               std::uint32_t seed) {
    const float ppu = std::min(halfWidth * canvas.unitX, height * canvas.unitY);
    const float offset = float(seed % 97u) * 1.37f;
    // The outline: a lumpy dome whose radius depends on the direction from the base centre.
    auto outline = [&](float cosA, float sinA) {
        return 0.8f + 0.42f * fractalNoise(cosA * 1.4f + offset, sinA * 1.4f + offset, seed, 4);
    };
    auto bumps = [&](float wx, float wy) {
        return fractalNoise(wx * 0.45f, wy * 0.45f, seed + 5u, 5);
    };
    // Contact shadow on the sand around the base.
    canvas.forEachPixel(x - halfWidth * 1.6f, baseY - height * 0.2f, x + halfWidth * 1.7f,
                        baseY + height * 0.35f, [&](int px, int py, float wx, float wy) {
                            float u = (wx - x - halfWidth * 0.1f) / (halfWidth * 1.55f);
                            float v = (wy - baseY - height * 0.04f) / (height * 0.3f);
                            float s = std::clamp(1.0f - (u * u + v * v), 0.0f, 1.0f);
                            Colour& c = canvas.image.at(px, py);
                            c = scale(c, 1.0f - 0.45f * s * (1.0f - haze));
                        });
    canvas.forEachPixel(
        x - halfWidth * 1.3f, baseY - height * 1.3f, x + halfWidth * 1.3f, baseY + height * 0.2f,
        [&](int px, int py, float wx, float wy) {
            float u = (wx - x) / halfWidth, v = (wy - baseY) / height;
            float r = std::sqrt(u * u + v * v);
            if (r < 1e-4f)
                r = 1e-4f;
            float cosA = u / r, sinA = v / r;
            float radius = outline(cosA, sinA);
            float cover = std::clamp((radius - r) * ppu + 0.5f, 0.0f, 1.0f);
            // The foot sinks into the sand.
            float foot = 0.07f + 0.06f * valueNoise(wx * 0.6f, 0.5f, seed + 9u);
            cover *= smoothstep(foot + 0.05f, foot - 0.03f, v);
            if (cover <= 0.0f)
                return;
            float q = std::min(r / radius, 1.0f);
            float nz = std::sqrt(std::max(0.0f, 1.0f - q * q));
            const float e = 0.25f;
            float gx = (bumps(wx + e, wy) - bumps(wx - e, wy)) / (2 * e);
            float gy = (bumps(wx, wy + e) - bumps(wx, wy - e)) / (2 * e);
            Vec3 n = normalised({cosA * q + 2.2f * gx, sinA * q + 2.2f * gy, nz + 0.15f});
            float lambert = std::max(0.0f, n.x * kLight.x + n.y * kLight.y + n.z * kLight.z);
            // Stone with darker veins, greener where it faces up.
            float mottle = fractalNoise(wx * 0.35f, wy * 0.5f, seed + 7u, 4);
            Colour stone = mix(rgb255(96, 94, 88), rgb255(136, 126, 108), mottle);
            float facingUp = std::max(0.0f, -n.y);
            float growth =
                smoothstep(0.45f, 0.75f, fractalNoise(wx * 0.5f, wy * 0.5f, seed + 8u, 3));
            stone =
                mix(stone, rgb255(86, 112, 62), 0.7f * growth * smoothstep(0.2f, 0.7f, facingUp));
            float occlusion = 0.55f + 0.45f * smoothstep(0.1f, -0.55f, v);
            Colour lit = scale(stone, (0.3f + 0.95f * lambert) * occlusion);
            float focus = caustic(wx * 0.38f, wy * 0.38f, seed + 3u);
            lit = add(lit, scale(rgb255(200, 230, 215), 0.45f * focus * facingUp));
            Colour c = mix(underwaterLight(lit, wy), hazeColour(wx, wy), haze);
            canvas.image.blend(px, py, c, cover);
        });
}

void paintStarfish(Canvas& canvas, Point centre, float radius, float turn, std::uint32_t seed) {
    const float haze = floorHaze(centre.y);
    const float squash = 0.5f; // lying flat, seen at a slant
    const float ppu = radius * canvas.pixelsPerUnit();
    const Colour colour = rgb255(204, 116, 72);
    canvas.forEachPixel(
        centre.x - radius, centre.y - radius * squash, centre.x + radius,
        centre.y + radius * squash, [&](int x, int y, float wx, float wy) {
            float u = (wx - centre.x) / radius, v = (wy - centre.y) / (radius * squash);
            float r = std::sqrt(u * u + v * v);
            float a = std::atan2(v, u) - turn;
            // Five tapering arms with rounded ends.
            float arms = std::pow(std::abs(std::cos(2.5f * a)), 2.0f);
            float reach = 0.3f + 0.7f * arms;
            float cover = std::clamp((reach - r) * ppu + 0.5f, 0.0f, 1.0f);
            if (cover <= 0.0f)
                return;
            float height = 1.0f - r / reach;
            float bumps = fractalNoise(wx * 6.0f, wy * 6.0f, seed, 2);
            float light = (0.55f + 0.45f * height) * (0.85f + 0.3f * bumps);
            Colour c = mix(underwaterLight(scale(colour, light), wy), hazeColour(wx, wy), haze);
            canvas.image.blend(x, y, c, cover);
        });
}

} // namespace assetgen::backdrop
