#include "tank/sound/WavFile.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace quelmarine {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

constexpr std::size_t kLargestWav = 64u << 20;

} // namespace

bool parseWav(const std::vector<std::uint8_t>& bytes, WavSound& sound) {
    sound = {};
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    int format = 0, bits = 0;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint8_t* chunk = bytes.data() + at;
        const std::size_t size = le32(chunk + 4);
        if (size > bytes.size() - at - 8)
            return sound = {}, false;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            format = le16(chunk + 8);
            sound.channels = le16(chunk + 10);
            sound.rate = int(le32(chunk + 12));
            bits = le16(chunk + 22);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (format != 1 || sound.channels < 1 || sound.channels > 8 || sound.rate <= 0 ||
                (bits != 8 && bits != 16))
                return sound = {}, false;
            const std::uint8_t* data = chunk + 8;
            if (bits == 16) {
                sound.samples.resize(size / 2);
                for (std::size_t i = 0; i < sound.samples.size(); ++i)
                    sound.samples[i] = std::int16_t(le16(data + i * 2));
            } else {
                sound.samples.resize(size);
                for (std::size_t i = 0; i < size; ++i)
                    sound.samples[i] = std::int16_t((int(data[i]) - 128) << 8);
            }
            return !sound.samples.empty();
        }
        at += 8 + size + (size & 1);
    }
    sound = {};
    return false;
}

bool readWavFile(const std::string& path, WavSound& sound) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length <= 0 || std::size_t(length) > kLargestWav)
        return false;
    in.seekg(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    in.read(reinterpret_cast<char*>(bytes.data()), length);
    return in && parseWav(bytes, sound);
}

} // namespace quelmarine
