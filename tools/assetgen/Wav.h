#pragma once
// A 16-bit PCM WAV writer.

#include <string>
#include <vector>

namespace assetgen {

// Writes interleaved samples in [-1, 1] as 16-bit PCM.
bool writeWav16(const std::string& path, const std::vector<float>& interleaved, int channels,
                int sampleRate);

} // namespace assetgen
