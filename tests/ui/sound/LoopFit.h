#pragma once
// Finding and fitting a known loop in a recording of the null sink, and the level of a tone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "unit/sound/WavSamples.h"

namespace quelmarine {

// The rate the sound tests record at (the ambient loop's own rate).
inline constexpr int kRate = 22050;

inline double rms(const std::vector<float>& s, std::size_t from, std::size_t count) {
    double sum = 0;
    for (std::size_t i = from; i < from + count && i < s.size(); ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(count));
}

// Where in the recording the loop's first `window` samples begin (best normalised
// correlation), searched within the first two seconds.
inline std::size_t findLoopStart(const std::vector<float>& rec, const std::vector<float>& loop,
                                 std::size_t window) {
    double best = -2;
    std::size_t bestLag = 0;
    double loopEnergy = 0;
    for (std::size_t k = 0; k < window; ++k)
        loopEnergy += double(loop[k]) * loop[k];
    for (std::size_t lag = 0; lag < std::size_t(2 * kRate) && lag + window <= rec.size(); ++lag) {
        double dot = 0, energy = 0;
        for (std::size_t k = 0; k < window; ++k) {
            dot += double(rec[lag + k]) * loop[k];
            energy += double(rec[lag + k]) * rec[lag + k];
        }
        const double c = energy > 0 ? dot / std::sqrt(energy * loopEnergy) : 0;
        if (c > best) {
            best = c;
            bestLag = lag;
        }
    }
    return bestLag;
}

// How the recording from `start` on matches the endlessly repeated loop: the gain that fits
// best and the rest that the fit leaves, relative to the fitted signal.
struct Fit {
    double gain = 0, rest = 1;
};
inline Fit fitLoop(const std::vector<float>& rec, std::size_t recStart,
                   const std::vector<float>& loop, std::size_t loopStart, std::size_t count) {
    double dot = 0, energy = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const double a = loop[(loopStart + k) % loop.size()];
        dot += rec[recStart + k] * a;
        energy += a * a;
    }
    Fit fit;
    fit.gain = energy > 0 ? dot / energy : 0;
    double rest = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const double d = rec[recStart + k] - fit.gain * loop[(loopStart + k) % loop.size()];
        rest += d * d;
    }
    fit.rest = energy > 0 && fit.gain != 0 ? std::sqrt(rest / (energy * fit.gain * fit.gain)) : 1;
    return fit;
}

// The ambient loop as the program packs it, in samples of [-1, 1].
inline std::vector<float> loopSamples() {
    const char* dir = std::getenv("QUELMARINE_ASSET_DIR");
    int rate = 0;
    std::vector<float> samples =
        dir ? testsupport::readWavMono16(std::string(dir) + "/Music.wav", rate)
            : std::vector<float>{};
    EXPECT_EQ(rate, kRate) << "the recording below assumes the loop's own rate";
    return samples;
}

// The amplitude of the `hz` component of s[from, from + count) (Goertzel), for a sine of
// amplitude a about a.
inline double toneLevel(const std::vector<float>& s, std::size_t from, std::size_t count,
                        double hz) {
    const double w = 2 * M_PI * hz / kRate, c = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (std::size_t i = from; i < from + count && i < s.size(); ++i) {
        const double s0 = s[i] + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - c * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / double(count);
}

} // namespace quelmarine
