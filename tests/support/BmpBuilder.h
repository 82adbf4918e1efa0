#pragma once
// Builds BMP files in memory for tests: uncompressed 8-, 24- or 32-bit, bottom-up, rows padded.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct Bgr {
    std::uint8_t b, g, r;
};

inline void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = v & 0xFF;
    out[at + 1] = (v >> 8) & 0xFF;
}
inline void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    put16(out, at, v & 0xFFFF);
    put16(out, at + 2, v >> 16);
}

// `pixel(x, y)` gives the colour of column x in row y counted from the bottom. For 8-bit
// pictures its blue byte is the palette index and `palette` holds the colour table.
inline std::vector<std::uint8_t> makeBmp(int width, int height, int bits,
                                         const std::function<Bgr(int, int)>& pixel,
                                         const std::vector<Bgr>& palette = {},
                                         std::uint32_t coloursUsedField = 0) {
    const std::uint32_t stride = ((bits * width + 31) / 32) * 4;
    const std::size_t paletteBytes = bits == 8 ? palette.size() * 4 : 0;
    const std::size_t offset = 54 + paletteBytes;
    std::vector<std::uint8_t> out(offset + std::size_t(stride) * height, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, std::uint32_t(out.size()));
    put32(out, 10, std::uint32_t(offset));
    put32(out, 14, 40);
    put32(out, 18, std::uint32_t(width));
    put32(out, 22, std::uint32_t(height));
    put16(out, 26, 1);
    put16(out, 28, std::uint32_t(bits));
    put32(out, 34, stride * height);
    put32(out, 46, coloursUsedField);
    for (std::size_t i = 0; i < paletteBytes / 4; ++i) {
        out[54 + i * 4] = palette[i].b;
        out[54 + i * 4 + 1] = palette[i].g;
        out[54 + i * 4 + 2] = palette[i].r;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Bgr c = pixel(x, y);
            std::uint8_t* p = &out[offset + std::size_t(y) * stride];
            if (bits == 8) {
                p[x] = c.b;
            } else {
                const int n = bits / 8;
                p[x * n] = c.b;
                p[x * n + 1] = c.g;
                p[x * n + 2] = c.r;
                if (n == 4)
                    p[x * n + 3] = 255;
            }
        }
    }
    return out;
}

inline std::string asString(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace testsupport
