#include "tank/assets/UserBmp.h"

#include <bit>

namespace quelmarine {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kUncompressed = 0, kBitFields = 3;

std::uint32_t get16(const std::uint8_t* p) {
    return std::uint32_t(p[0] | p[1] << 8);
}
std::uint32_t get32(const std::uint8_t* p) {
    return get16(p) | get16(p + 2) << 16;
}

// One channel of a bit-field pixel, brought to 0 ... 255 (255 when the mask is empty).
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0)
        return 255;
    const int shift = std::countr_zero(mask);
    const std::uint32_t top = mask >> shift;
    return std::uint8_t(((pixel & mask) >> shift) * 255u / top);
}

} // namespace

PictureError decodeUserBmp(const std::vector<std::uint8_t>& bytes, DecodedPicture& picture,
                           const PictureLimits& limits) {
    if (bytes.size() < kFileHeader + 40)
        return PictureError::Corrupt;
    const std::uint8_t* h = bytes.data() + kFileHeader;
    const std::uint32_t headerSize = get32(h);
    const std::uint32_t dataOffset = get32(bytes.data() + 10);
    const std::int64_t width = std::int32_t(get32(h + 4));
    const std::int64_t signedHeight = std::int32_t(get32(h + 8));
    const std::uint32_t bits = get16(h + 14);
    const std::uint32_t compression = get32(h + 16);
    const std::uint32_t coloursUsed = get32(h + 32);
    const bool fromTop = signedHeight < 0;
    const std::int64_t height = fromTop ? -signedHeight : signedHeight;
    if (headerSize < 40 || headerSize > bytes.size() - kFileHeader || width <= 0 || height <= 0)
        return PictureError::Corrupt;
    if (std::uint64_t(width) * std::uint64_t(height) > limits.largestSourcePixels)
        return PictureError::TooLarge;
    const bool paletted = bits == 1 || bits == 4 || bits == 8;
    const bool fields = compression == kBitFields && (bits == 16 || bits == 32);
    if (!(paletted || bits == 16 || bits == 24 || bits == 32) ||
        !(compression == kUncompressed || fields))
        return PictureError::Corrupt;

    // Masks: after a 40-byte header they follow it; longer headers hold them.
    std::uint32_t red = 0x7C00, green = 0x03E0, blue = 0x001F, alpha = 0; // 16 bits: 5-5-5
    if (bits == 32) {
        red = 0xFF0000;
        green = 0xFF00;
        blue = 0xFF;
    }
    std::size_t paletteAt = kFileHeader + headerSize;
    if (fields) {
        const std::size_t masksAt = kFileHeader + 40;
        if (masksAt + 12 > bytes.size())
            return PictureError::Corrupt;
        red = get32(&bytes[masksAt]);
        green = get32(&bytes[masksAt + 4]);
        blue = get32(&bytes[masksAt + 8]);
        if (headerSize >= 56 && masksAt + 16 <= bytes.size())
            alpha = get32(&bytes[masksAt + 12]);
        if (headerSize == 40)
            paletteAt += 12;
    }
    std::vector<std::uint8_t> palette;
    if (paletted) {
        const std::uint32_t most = 1u << bits;
        const std::uint32_t entries = coloursUsed == 0 || coloursUsed > most ? most : coloursUsed;
        if (paletteAt + std::size_t(entries) * 4 > bytes.size())
            return PictureError::Corrupt;
        palette.assign(bytes.begin() + std::ptrdiff_t(paletteAt),
                       bytes.begin() + std::ptrdiff_t(paletteAt + entries * 4));
        palette.resize(std::size_t(most) * 4, 0); // indexes beyond the table read black
    }
    const std::uint64_t stride = (std::uint64_t(width) * bits + 31) / 32 * 4;
    if (dataOffset < kFileHeader + 40 || dataOffset > bytes.size() ||
        stride * std::uint64_t(height) > bytes.size() - dataOffset)
        return PictureError::Corrupt;

    picture.width = int(width);
    picture.height = int(height);
    picture.alpha = alpha != 0;
    picture.rgba.assign(std::size_t(width) * std::size_t(height) * 4, 255);
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t stored = fromTop ? y : height - 1 - y;
        const std::uint8_t* in = &bytes[dataOffset + std::size_t(stored) * stride];
        std::uint8_t* out = &picture.rgba[std::size_t(y) * std::size_t(width) * 4];
        for (std::int64_t x = 0; x < width; ++x, out += 4) {
            if (paletted) {
                const std::uint32_t bitAt = std::uint32_t(x) * bits;
                const std::uint32_t index =
                    (in[bitAt / 8] >> (8 - bits - bitAt % 8)) & ((1u << bits) - 1);
                const std::uint8_t* bgr = &palette[std::size_t(index) * 4];
                out[0] = bgr[2], out[1] = bgr[1], out[2] = bgr[0];
            } else if (bits == 24) {
                const std::uint8_t* bgr = &in[x * 3];
                out[0] = bgr[2], out[1] = bgr[1], out[2] = bgr[0];
            } else {
                const std::uint32_t pixel = bits == 16 ? get16(&in[x * 2]) : get32(&in[x * 4]);
                out[0] = channel(pixel, red);
                out[1] = channel(pixel, green);
                out[2] = channel(pixel, blue);
                out[3] = channel(pixel, alpha);
            }
        }
    }
    return PictureError::None;
}

} // namespace quelmarine
