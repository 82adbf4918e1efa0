// The ambient sound: a calm loop of moving water with now and then a rising bubble. Every part
// repeats exactly with the loop's length (filters run over the loop twice, slow swells have a
// whole number of cycles, bubbles that pass the end go on at the start), so the end joins the
// start without a click.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "Noise.h"
#include "Registry.h"
#include "Wav.h"

namespace assetgen {

namespace {

constexpr int kRate = 22050;
constexpr int kLength = 1 << 17; // about 5.9 s
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

float whiteNoise(int i, std::uint32_t seed) {
    return float(hash32(std::uint32_t(i) * 0x9E3779B1u + seed) & 0xFFFFFF) / float(0x800000) - 1.0f;
}

// A smooth swell with a whole number of cycles per loop.
float swell(int i, int cycles, float phase) {
    return std::sin(kTwoPi * float(cycles) * float(i) / float(kLength) + phase);
}

// Runs `step` over the loop twice and keeps the second lap, so that the filter's state at the
// start of the kept lap is the one it has at its end.
template <typename Step>
std::vector<float> periodicFilter(const std::vector<float>& input, Step step) {
    std::vector<float> out(input.size());
    for (int lap = 0; lap < 2; ++lap)
        for (std::size_t i = 0; i < input.size(); ++i)
            out[i] = step(input[i]);
    return out;
}

// One-pole low-pass coefficient for a cut-off frequency.
float lowPassCoefficient(float hertz) {
    return 1.0f - std::exp(-kTwoPi * hertz / float(kRate));
}

std::vector<float> waterBody() {
    std::vector<float> noise(kLength);
    for (int i = 0; i < kLength; ++i)
        noise[i] = whiteNoise(i, 11u);
    // Three one-pole stages: a dark, soft rumble of water.
    const float a = lowPassCoefficient(520.0f);
    float s1 = 0, s2 = 0, s3 = 0;
    std::vector<float> body = periodicFilter(noise, [&](float x) {
        s1 += a * (x - s1);
        s2 += a * (s1 - s2);
        s3 += a * (s2 - s3);
        return s3;
    });
    for (int i = 0; i < kLength; ++i) {
        const float level = 0.72f + 0.18f * swell(i, 2, 0.4f) + 0.10f * swell(i, 5, 1.9f);
        body[i] *= level * 3.2f;
    }
    return body;
}

std::vector<float> ripples() {
    std::vector<float> noise(kLength);
    for (int i = 0; i < kLength; ++i)
        noise[i] = whiteNoise(i, 977u);
    // A band around 1.5 … 3 kHz: the faint trickle at the surface.
    const float high = lowPassCoefficient(3000.0f), low = lowPassCoefficient(1400.0f);
    float h1 = 0, h2 = 0, l1 = 0;
    std::vector<float> band = periodicFilter(noise, [&](float x) {
        h1 += high * (x - h1);
        h2 += high * (h1 - h2);
        l1 += low * (h2 - l1);
        return h2 - l1;
    });
    for (int i = 0; i < kLength; ++i) {
        const float level = std::max(0.0f, 0.5f + 0.5f * swell(i, 3, 2.5f));
        band[i] *= 0.35f * level * level;
    }
    return band;
}

// One bubble: a short sine whose pitch rises as it decays, written around the loop.
void addBubble(std::vector<float>& out, int start, float pitch, float decaySeconds, float gain) {
    const int length = int(decaySeconds * 6.0f * kRate);
    const int attack = kRate / 500; // 2 ms, so the bubble starts without a click
    float phase = 0;
    for (int k = 0; k < length; ++k) {
        const float t = float(k) / kRate;
        const float frequency = pitch * (1.0f + 0.9f * t / (decaySeconds * 6.0f));
        phase += kTwoPi * frequency / kRate;
        const float envelope = std::exp(-t / decaySeconds) * std::min(1.0f, float(k) / attack);
        out[std::size_t((start + k) % kLength)] += gain * envelope * std::sin(phase);
    }
}

std::vector<float> bubbles() {
    std::vector<float> out(kLength, 0.0f);
    // Bubbles come alone or in short trains; the times are spread over the whole loop.
    std::uint32_t seed = 4242u;
    auto next = [&seed]() {
        seed = hash32(seed + 0x9E3779B9u);
        return float(seed & 0xFFFFFF) / float(0x1000000);
    };
    int time = int(0.15f * kRate);
    while (time < kLength) {
        const int train = 1 + int(next() * 4.0f);
        float pitch = 520.0f + next() * 700.0f;
        for (int b = 0; b < train; ++b) {
            const float decay = 0.012f + next() * 0.02f;
            addBubble(out, time, pitch, decay, 0.16f + next() * 0.16f);
            time += int((0.05f + next() * 0.12f) * kRate);
            pitch *= 1.05f + next() * 0.15f;
        }
        time += int((0.35f + next() * 0.9f) * kRate);
    }
    return out;
}

bool makeAmbientWater(const std::string& path) {
    const std::vector<float> body = waterBody(), surface = ripples(), blips = bubbles();
    std::vector<float> mix(kLength);
    for (int i = 0; i < kLength; ++i)
        mix[i] = body[i] + surface[i] + blips[i];
    // A last gentle low-pass takes the edge off the bubbles; then the peak goes to -6 dBFS.
    const float a = lowPassCoefficient(5000.0f);
    float s = 0;
    mix = periodicFilter(mix, [&](float x) { return s += a * (x - s); });
    float peak = 0;
    for (float v : mix)
        peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (float& v : mix)
            v *= 0.5f / peak;
    return writeWav16(path, mix, 1, kRate);
}

} // namespace

ASSET_GENERATOR("ambientwater", makeAmbientWater);

} // namespace assetgen
