#pragma once
// Reading a PCM WAV file (8- or 16-bit, any channel count) into memory for a sound output that
// has no decoder of its own. Every chunk size is checked against the real file size.

#include <cstdint>
#include <string>
#include <vector>

namespace quelmarine {

struct WavSound {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples; // interleaved, 16-bit
};

// False (and `sound` empty) when the bytes are no PCM WAV this reads.
bool parseWav(const std::vector<std::uint8_t>& bytes, WavSound& sound);
bool readWavFile(const std::string& path, WavSound& sound);

} // namespace quelmarine
