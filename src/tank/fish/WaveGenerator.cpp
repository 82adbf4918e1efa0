#include "tank/fish/WaveGenerator.h"

#include <cmath>

namespace quelmarine {

namespace {
constexpr float kFullTurn = 6.283185f;
constexpr int kBodyWaveThreshold = 3;
constexpr int kQuietSegments = 7;
} // namespace

void advanceWave(WaveState& wave, int threshold) {
    if (wave.tick++ > threshold) {
        wave.phase += wave.phaseStep;
        wave.tick = 0;
    }
    if (wave.phase > kFullTurn)
        wave.phase = 0;
}

void runFlapGenerator(WaveState& wave, int threshold, float size, float* out, int count) {
    advanceWave(wave, threshold);
    for (int i = 0; i < count; ++i)
        out[i] = std::sin(float(i) * wave.spatialStep + wave.phase) * size * wave.amplitude;
}

void runBodyWave(WaveState& wave, float size, float* out, int count) {
    advanceWave(wave, kBodyWaveThreshold);
    for (int i = 0; i < count; ++i)
        out[i] = i < kQuietSegments ? 0.0f
                                    : float(i - kQuietSegments) * wave.amplitude *
                                          std::sin(float(i) * wave.spatialStep + wave.phase) * size;
}

} // namespace quelmarine
