// The living things of the backdrop: kelp, seaweed, sea fans, branching coral, sponges and
// brain coral, all in muted colours that the water softens with distance.

#include "BackdropCanvas.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace assetgen::backdrop {

namespace {

constexpr float kPi = 3.14159265f;

// Brightness of something lit from above at world y, with a little of the shafts on it.
float lightFromAbove(float wx, float wy) {
    return 0.5f + 0.7f * (1.0f - wy / kWorldHeight) + 0.25f * lightShafts(wx, wy);
}

// Round shading across a stroke, lit from the left.
float acrossShade(float across) {
    float nz = std::sqrt(std::max(0.0f, 1.0f - across * across));
    return 0.45f + 0.55f * std::max(0.0f, -0.5f * across + 0.85f * nz);
}

Colour finish(Colour lit, float wx, float wy, float haze) {
    return mix(underwaterLight(lit, wy), hazeColour(wx, wy), haze);
}

// A curved strand: starts at `from` heading `angle` (radians from straight up, positive to
// the right), turning by `bend` over its length.
std::vector<Point> strand(Point from, float angle, float length, float bend, int steps) {
    std::vector<Point> points{from};
    Point p = from;
    for (int i = 1; i < steps; ++i) {
        float t = float(i) / float(steps - 1);
        float a = angle + bend * t;
        float step = length / float(steps - 1);
        p = {p.x + std::sin(a) * step, p.y - std::cos(a) * step};
        points.push_back(p);
    }
    return points;
}

} // namespace

namespace {

// One stalk of kelp with its blades, into the mask.
void kelpStalk(StrokeMask& mask, Point base, float height, Rng& rng, std::uint32_t seed) {
    // The current leans every stalk to the right, each by its own amount.
    const float lean = rng.range(0.02f, 0.16f) * height;
    const float amplitude = rng.range(0.8f, 2.0f);
    const float waves = rng.range(0.9f, 1.6f);
    const float phase = rng.range(0.0f, 2 * kPi);
    auto stipeAt = [&](float s) {
        return Point{base.x + lean * s * s + amplitude * std::sin(s * waves * 2 * kPi + phase) * s,
                     base.y - s * height};
    };
    const int n = 48;
    std::vector<Point> stipe;
    std::vector<float> radii;
    for (int i = 0; i < n; ++i) {
        float s = float(i) / float(n - 1);
        stipe.push_back(stipeAt(s));
        radii.push_back(0.26f - 0.12f * s);
    }
    mask.polyline(stipe, radii, 0.0f, 1.0f);

    // Long narrow blades at uneven steps, reaching up along the stalk and streaming with the
    // current, their edges wrinkled.
    const float scaleBy = std::clamp(height / 45.0f, 0.55f, 1.3f);
    float side = rng.next() < 0.5f ? -1.0f : 1.0f;
    for (float s = rng.range(0.04f, 0.1f); s < 0.97f; s += rng.range(0.035f, 0.07f)) {
        side = rng.next() < 0.8f ? -side : side;
        Point at = stipeAt(s);
        Point ahead = stipeAt(std::min(1.0f, s + 0.02f));
        float stalkAngle = std::atan2(ahead.x - at.x, at.y - ahead.y);
        float angle = stalkAngle + side * rng.range(0.3f, 0.9f);
        float length = rng.range(3.6f, 6.8f) * scaleBy * (1.0f - 0.35f * s);
        float bend = -side * rng.range(0.1f, 0.6f) + rng.range(0.0f, 0.35f);
        float width = length * rng.range(0.11f, 0.16f);
        std::vector<Point> blade = strand(at, angle, length, bend, 12);
        std::vector<float> w;
        for (int i = 0; i < 12; ++i) {
            float t = float(i) / 11.0f;
            float ruffle = 0.75f + 0.5f * valueNoise(t * 9.0f, s * 40.0f, seed + 1u);
            w.push_back(width * std::pow(std::sin(kPi * (0.05f + 0.92f * t)), 0.7f) * ruffle);
        }
        mask.polyline(blade, w, s, s);
    }
    // The topmost blades trail off in the current.
    Point top = stipe.back();
    for (int i = 0; i < 2; ++i) {
        std::vector<Point> crown =
            strand(top, rng.range(-0.2f, 0.5f), 5.0f * scaleBy, rng.range(0.2f, 0.9f), 10);
        std::vector<float> cw;
        for (int k = 0; k < 10; ++k)
            cw.push_back(0.55f * scaleBy * std::sin(kPi * (0.08f + 0.9f * float(k) / 9.0f)));
        mask.polyline(crown, cw, 1.0f, 1.0f);
    }
}

} // namespace

void paintKelp(StrokeMask& mask, Point base, float height, float haze, std::uint32_t seed) {
    Rng rng(seed);
    const int stalks = 2 + int(rng.next() * 2);
    for (int i = 0; i < stalks; ++i) {
        Point from{base.x + rng.range(-0.5f, 0.5f), base.y};
        kelpStalk(mask, from, height * (i == 0 ? 1.0f : rng.range(0.55f, 0.9f)), rng, seed + i);
    }
    const Colour dark = rgb255(82, 84, 36), light = rgb255(132, 128, 52);
    mask.paint([&](int, int, float wx, float wy, float across, float along, float& opacity) {
        float tone = valueNoise(wx * 0.8f, wy * 0.3f, seed + 2u);
        Colour c = mix(dark, light, 0.6f * along + 0.4f * tone);
        float edge = std::abs(across);
        // Thin blades let light through at their edges; the midrib is a little darker.
        c = scale(c, (edge < 0.12f ? 0.86f : 1.0f) * lightFromAbove(wx, wy));
        c = add(c, scale(rgb255(70, 80, 20), 0.35f * edge * edge * edge));
        opacity = 0.96f;
        return finish(c, wx, wy, haze);
    });
}

void paintRibbonWeed(StrokeMask& mask, Point base, float height, float haze, std::uint32_t seed) {
    Rng rng(seed);
    const int count = 4 + int(rng.next() * 4);
    for (int i = 0; i < count; ++i) {
        float length = height * rng.range(0.55f, 1.0f);
        float width = rng.range(0.35f, 0.55f) * std::clamp(height / 30.0f, 0.6f, 1.4f);
        float angle = rng.range(-0.25f, 0.3f);
        float sway = rng.range(0.25f, 0.5f), waves = rng.range(1.2f, 2.2f);
        float phase = rng.range(0.0f, 2 * kPi);
        const int steps = 40;
        std::vector<Point> ribbon{{base.x + rng.range(-0.6f, 0.6f), base.y}};
        std::vector<float> w{width * 0.5f};
        for (int k = 1; k < steps; ++k) {
            float t = float(k) / float(steps - 1);
            float a = angle + sway * std::sin(2 * kPi * waves * t + phase) * t + 0.25f * t;
            Point p = ribbon.back();
            ribbon.push_back(
                {p.x + std::sin(a) * length / steps, p.y - std::cos(a) * length / steps});
            // The ribbon twists: it narrows where it turns edge-on.
            float twist = 0.55f + 0.45f * std::abs(std::cos(2 * kPi * waves * 0.8f * t + phase));
            w.push_back(width * twist * (t > 0.9f ? (1.0f - t) * 10.0f : 1.0f));
        }
        mask.polyline(ribbon, w, 0.0f, 1.0f);
    }
    const Colour colour = rgb255(100, 116, 48);
    mask.paint([&](int, int, float wx, float wy, float across, float along, float& opacity) {
        float edge = std::abs(across);
        Colour c =
            scale(colour, (0.8f + 0.3f * along) * (0.85f + 0.15f * edge) * lightFromAbove(wx, wy));
        c = add(c, scale(rgb255(60, 70, 20), 0.3f * edge * edge * edge));
        opacity = 0.95f;
        return finish(c, wx, wy, haze);
    });
}

void paintSeaweedTuft(StrokeMask& mask, Point base, float size, Colour colour, float haze,
                      std::uint32_t seed) {
    Rng rng(seed);
    const int count = 7 + int(rng.next() * 7);
    for (int i = 0; i < count; ++i) {
        float angle = rng.range(-0.7f, 0.7f);
        float length = size * rng.range(0.45f, 1.0f);
        float bend = rng.range(-0.6f, 0.6f) + angle * 0.4f;
        Point from{base.x + rng.range(-0.12f, 0.12f) * size, base.y};
        std::vector<Point> blade = strand(from, angle, length, bend, 9);
        std::vector<float> w;
        for (int k = 0; k < 9; ++k)
            w.push_back(size * (0.055f - 0.045f * float(k) / 8.0f));
        mask.polyline(blade, w, 0.0f, 1.0f);
    }
    mask.paint([&](int, int, float wx, float wy, float across, float along, float& opacity) {
        Colour c =
            scale(colour, (0.55f + 0.55f * along) * acrossShade(across) * lightFromAbove(wx, wy));
        opacity = 1.0f;
        return finish(c, wx, wy, haze);
    });
}

void paintSeaFan(StrokeMask& mask, Point base, float size, float haze, std::uint32_t seed) {
    Rng rng(seed);
    Canvas& canvas = mask.target();
    const Colour colour = rgb255(172, 94, 98);
    Point trunkTop{base.x + rng.range(-0.2f, 0.2f), base.y - size * 0.06f};
    // The fine net between the twigs: a faint mesh over the round-topped fan.
    const float reach = size * 0.6f;
    canvas.forEachPixel(
        trunkTop.x - reach, trunkTop.y - reach, trunkTop.x + reach, trunkTop.y,
        [&](int x, int y, float wx, float wy) {
            float u = (wx - trunkTop.x) / reach, v = (trunkTop.y - wy) / reach;
            float r = std::sqrt(u * u + v * v);
            float a = std::atan2(u, std::max(v, 1e-4f));
            float edge = 0.8f + 0.15f * valueNoise(a * 2.5f, 0.5f, seed + 3u);
            float inside = smoothstep(edge, edge - 0.25f, r) * smoothstep(-0.02f, 0.15f, v);
            if (inside <= 0.0f)
                return;
            float n1 = 1.0f - std::abs(2.0f * valueNoise(wx * 2.2f, wy * 2.2f, seed + 4u) - 1.0f);
            float n2 = 1.0f - std::abs(2.0f * valueNoise(wx * 3.1f, wy * 3.1f, seed + 5u) - 1.0f);
            float net = std::max(std::pow(n1, 6.0f), std::pow(n2, 6.0f));
            Colour c = scale(colour, 0.8f * lightFromAbove(wx, wy));
            canvas.image.blend(x, y, finish(c, wx, wy, haze), 0.55f * net * inside);
        });
    // Main branches fan out from a short trunk; each splits again and again with small angles,
    // so the twigs fill a flat, round-topped fan.
    std::function<void(Point, float, float, float, int)> branch =
        [&](Point from, float angle, float length, float radius, int depth) {
            std::vector<Point> points = strand(from, angle, length, rng.range(-0.2f, 0.2f), 4);
            std::vector<float> r{radius, radius * 0.95f, radius * 0.9f, radius * 0.85f};
            float along = float(depth) / 8.0f;
            mask.polyline(points, r, along, along + 1.0f / 8.0f);
            if (depth >= 7)
                return;
            Point end = points.back();
            float spread = rng.range(0.18f, 0.4f);
            float childLength = length * rng.range(0.78f, 0.9f);
            float childRadius = std::max(radius * 0.8f, 0.03f);
            branch(end, angle - spread * 0.6f, childLength, childRadius, depth + 1);
            branch(end, angle + spread * 0.6f, childLength, childRadius, depth + 1);
        };
    mask.segment(base, trunkTop, size * 0.022f, size * 0.018f, 0.0f, 0.05f);
    const int mains = 6;
    for (int i = 0; i < mains; ++i) {
        float a = -1.15f + 2.3f * (float(i) + 0.5f) / float(mains) + rng.range(-0.08f, 0.08f);
        branch(trunkTop, a, size * (0.15f - 0.035f * std::abs(a)), size * 0.011f, 1);
    }
    mask.paint([&](int, int, float wx, float wy, float across, float along, float& opacity) {
        Colour c =
            scale(colour, (0.72f + 0.35f * along) * acrossShade(across) * lightFromAbove(wx, wy));
        opacity = 1.0f;
        return finish(c, wx, wy, haze);
    });
}

void paintBranchCoral(StrokeMask& mask, Point base, float size, float haze, std::uint32_t seed) {
    Rng rng(seed);
    std::function<void(Point, float, float, float, int)> branch = [&](Point from, float angle,
                                                                      float length, float radius,
                                                                      int depth) {
        std::vector<Point> points = strand(from, angle, length, rng.range(-0.3f, 0.3f), 5);
        std::vector<float> r{radius, radius * 0.96f, radius * 0.92f, radius * 0.9f, radius * 0.9f};
        float along = float(depth) / 4.0f;
        mask.polyline(points, r, along, along + 0.25f);
        if (depth >= 4)
            return;
        Point end = points.back();
        int children = 2 + (rng.next() < 0.35f ? 1 : 0);
        for (int i = 0; i < children; ++i) {
            float a = angle + rng.range(-0.75f, 0.75f);
            a = a * 0.85f; // stag horns keep reaching up
            branch(end, a, length * rng.range(0.65f, 0.85f), radius * 0.8f, depth + 1);
        }
    };
    const int stems = 3;
    for (int i = 0; i < stems; ++i)
        branch({base.x + rng.range(-0.15f, 0.15f) * size, base.y}, rng.range(-0.7f, 0.7f),
               size * 0.3f, size * 0.07f, 0);
    const Colour stem = rgb255(170, 146, 110), tip = rgb255(210, 196, 164);
    mask.paint([&](int, int, float wx, float wy, float across, float along, float& opacity) {
        Colour c = mix(stem, tip, smoothstep(0.5f, 1.25f, along));
        c = scale(c, acrossShade(across) * lightFromAbove(wx, wy));
        opacity = 1.0f;
        return finish(c, wx, wy, haze);
    });
}

void paintTubeSponges(StrokeMask& mask, Point base, float size, float haze, std::uint32_t seed) {
    Rng rng(seed);
    Canvas& canvas = mask.target();
    struct Tube {
        Point from;
        float height, radius, angle, bend;
    };
    std::vector<Tube> tubes;
    const int count = 4 + int(rng.next() * 3);
    for (int i = 0; i < count; ++i)
        tubes.push_back({{base.x + rng.range(-0.3f, 0.3f) * size, base.y + rng.range(-0.4f, 0.4f)},
                         size * rng.range(0.4f, 1.0f),
                         size * rng.range(0.08f, 0.12f),
                         rng.range(-0.3f, 0.3f),
                         rng.range(-0.2f, 0.2f)});
    // Back to front, each tube with its own opening, so nearer tubes cover farther ones.
    std::sort(tubes.begin(), tubes.end(),
              [](const Tube& a, const Tube& b) { return a.from.y < b.from.y; });
    const Colour colour = rgb255(200, 146, 84);
    const float ppu = canvas.pixelsPerUnit();
    for (const Tube& tube : tubes) {
        std::vector<Point> line = strand(tube.from, tube.angle, tube.height, tube.bend, 8);
        std::vector<float> r;
        for (int k = 0; k < 8; ++k) {
            float lumps = valueNoise(float(k) * 0.9f, tube.from.x * 3.0f, seed + 6u);
            r.push_back(tube.radius * (0.8f + 0.3f * float(k) / 7.0f + 0.18f * lumps));
        }
        mask.polyline(line, r, 0.0f, 1.0f);
        mask.paint([&](int, int, float wx, float wy, float across, float along, float& opacity) {
            float pores = fractalNoise(wx * 3.0f, wy * 3.0f, seed + 2u, 2);
            Colour c = scale(colour, acrossShade(across) * (0.65f + 0.4f * along) *
                                         (0.88f + 0.24f * pores) * lightFromAbove(wx, wy));
            opacity = 1.0f;
            return finish(c, wx, wy, haze);
        });
        // The opening at the top, seen slightly from above: a lit rim round a dark hollow.
        Point m = line.back();
        float rx = r.back(), ry = r.back() * 0.4f;
        canvas.forEachPixel(
            m.x - rx, m.y - ry, m.x + rx, m.y + ry, [&](int x, int y, float wx, float wy) {
                float u = (wx - m.x) / rx, v = (wy - m.y) / ry;
                float d = std::sqrt(u * u + v * v);
                float cover = std::clamp((1.0f - d) * ry * ppu + 0.5f, 0.0f, 1.0f);
                float hollow = smoothstep(0.8f, 0.6f, d);
                float rim = 1.05f, inside = 0.25f + 0.15f * v;
                Colour c = scale(colour, (rim + (inside - rim) * hollow) * lightFromAbove(wx, wy));
                canvas.image.blend(x, y, finish(c, wx, wy, haze), cover);
            });
    }
}

void paintBrainCoral(Canvas& canvas, Point base, float halfWidth, float height, float haze,
                     std::uint32_t seed) {
    const float ppu = std::min(halfWidth * canvas.unitX, height * canvas.unitY);
    const Colour colour = rgb255(198, 172, 114);
    canvas.forEachPixel(base.x - halfWidth, base.y - height, base.x + halfWidth,
                        base.y + height * 0.1f, [&](int x, int y, float wx, float wy) {
                            float u = (wx - base.x) / halfWidth, v = (wy - base.y) / height;
                            float r = std::sqrt(u * u + v * v);
                            float cover = std::clamp((1.0f - r) * ppu + 0.5f, 0.0f, 1.0f);
                            cover *= smoothstep(0.1f, 0.0f, v);
                            if (cover <= 0.0f)
                                return;
                            float nz = std::sqrt(std::max(0.0f, 1.0f - r * r));
                            float lambert = std::max(0.0f, -0.35f * u - 0.85f * v + 0.45f * nz);
                            // Meandering grooves: bands along the contours of a smooth noise field.
                            float field = fractalNoise(wx * 0.45f, wy * 0.65f, seed, 3);
                            float groove = std::abs(std::sin(field * 34.0f));
                            float shade = (0.3f + 0.85f * lambert) *
                                          (0.55f + 0.45f * smoothstep(0.2f, 0.7f, groove));
                            Colour c = scale(colour, shade * lightFromAbove(wx, wy) * 0.85f);
                            canvas.image.blend(x, y, finish(c, wx, wy, haze), cover);
                        });
}

} // namespace assetgen::backdrop
