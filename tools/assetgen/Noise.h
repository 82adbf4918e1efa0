#pragma once
// Deterministic value noise and fractal sums for the generated pictures and sounds.

#include <cmath>
#include <cstdint>

namespace assetgen {

inline std::uint32_t hash32(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// A repeatable pseudo-random value in [0, 1) for integer lattice point (x, y) and a seed.
inline float latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h =
        hash32(std::uint32_t(x) * 0x9E3779B1u ^ hash32(std::uint32_t(y) + seed * 0x85EBCA77u));
    return (h & 0xFFFFFF) / float(0x1000000);
}

// Smooth 2D value noise in [0, 1). `period` > 0 makes it tile in x with that many cells.
inline float valueNoise(float x, float y, std::uint32_t seed, int period = 0) {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    float fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    float a = latticeValue(wrap(x0), y0, seed), b = latticeValue(wrap(x0 + 1), y0, seed);
    float c = latticeValue(wrap(x0), y0 + 1, seed), d = latticeValue(wrap(x0 + 1), y0 + 1, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

// Fractal sum of `octaves` noise layers, normalised to [0, 1).
inline float fractalNoise(float x, float y, std::uint32_t seed, int octaves, int period = 0) {
    float sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + i * 101u, period) * amplitude;
        total += amplitude;
        x *= 2;
        y *= 2;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}

} // namespace assetgen
