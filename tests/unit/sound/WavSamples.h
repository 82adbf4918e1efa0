#pragma once
// The samples of a mono 16-bit PCM WAV file, for tests that look at the generated sound.

#include <cstdint>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace testsupport {

// Samples in [-1, 1); empty when the file is not a mono 16-bit PCM WAV file.
inline std::vector<float> readWavMono16(const std::string& path, int& rate) {
    const std::string b = readFile(path);
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
               std::uint32_t(std::uint8_t(b[at + 3])) << 24;
    };
    std::vector<float> samples;
    rate = 0;
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return samples;
    std::size_t at = 12;
    int channels = 0, bits = 0, format = 0;
    while (at + 8 <= b.size()) {
        const std::string id = b.substr(at, 4);
        const std::uint32_t size = u32(at + 4);
        if (id == "fmt " && at + 24 <= b.size()) {
            format = std::uint8_t(b[at + 8]);
            channels = std::uint8_t(b[at + 10]);
            rate = int(u32(at + 12));
            bits = std::uint8_t(b[at + 22]);
        } else if (id == "data" && format == 1 && channels == 1 && bits == 16) {
            for (std::size_t i = 0; i + 1 < size && at + 9 + i < b.size(); i += 2) {
                const auto v = std::int16_t(std::uint16_t(std::uint8_t(b[at + 8 + i])) |
                                            std::uint16_t(std::uint8_t(b[at + 9 + i]) << 8));
                samples.push_back(float(v) / 32768.0f);
            }
        }
        at += 8 + std::size_t(size) + (size & 1);
    }
    return samples;
}

} // namespace testsupport
