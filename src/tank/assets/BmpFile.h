#pragma once
// Reading Windows BMP pictures for the texture loaders. Every header field is checked against
// the real file size: a malformed or truncated file is refused, never read out of bounds.

#include <cstdint>
#include <string>
#include <vector>

namespace quelmarine {

struct BmpInfoHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t dataOffset = 0; // from the start of the file
};

// A picture as the plain loader keeps it: its pixels in the file's own blue-green-red order,
// rows bottom first and padded to 4 bytes, and for 8-bit pictures the colour table.
struct BmpPicture {
    BmpInfoHeader info;
    std::vector<std::uint8_t> palette; // 4 bytes an entry: blue, green, red, unused
    std::vector<std::uint8_t> pixels;
};

// Length of a BMP row padded to 4 bytes.
constexpr std::uint32_t rowStride(std::uint32_t bits, std::uint32_t width) {
    return ((bits * width + 31) / 32) * 4;
}

// A 24-bit picture whose rows need no padding, as tightly packed red-green-blue pixels.
bool readBmpRgb(const std::string& path, BmpInfoHeader& info, std::vector<std::uint8_t>& rgb);

// readBmpRgb with alpha added: 0 for black pixels, 255 for all others.
bool readBmpWithAlpha(const std::string& path, BmpInfoHeader& info,
                      std::vector<std::uint8_t>& rgba);

// An uncompressed 8-, 24- or 32-bit picture for the plain loader.
bool readBmpFile(const std::string& path, BmpPicture& picture);

// Parsing from memory, used by the functions above and by tests.
bool parseBmpRgb(const std::vector<std::uint8_t>& file, BmpInfoHeader& info,
                 std::vector<std::uint8_t>& rgb);
bool parseBmpWithAlpha(const std::vector<std::uint8_t>& file, BmpInfoHeader& info,
                       std::vector<std::uint8_t>& rgba);
bool parseBmpFile(const std::vector<std::uint8_t>& file, BmpPicture& picture);

} // namespace quelmarine
