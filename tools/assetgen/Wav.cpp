#include "Wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace assetgen {

bool writeWav16(const std::string& path, const std::vector<float>& interleaved, int channels,
                int sampleRate) {
    const std::uint32_t dataBytes = std::uint32_t(interleaved.size() * 2);
    std::vector<std::uint8_t> out;
    auto put16 = [&out](std::uint32_t v) {
        out.push_back(v & 0xFF);
        out.push_back((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    auto tag = [&out](const char* t) {
        for (int i = 0; i < 4; ++i)
            out.push_back(std::uint8_t(t[i]));
    };
    tag("RIFF");
    put32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1); // PCM
    put16(std::uint32_t(channels));
    put32(std::uint32_t(sampleRate));
    put32(std::uint32_t(sampleRate * channels * 2));
    put16(std::uint32_t(channels * 2));
    put16(16);
    tag("data");
    put32(dataBytes);
    for (float s : interleaved) {
        auto v = std::int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        put16(std::uint16_t(v));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

} // namespace assetgen
