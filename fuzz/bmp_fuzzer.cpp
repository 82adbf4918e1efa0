// Both BMP readers of the texture loaders on any bytes as the file (the parsing and checking
// they do before OpenGL sees the pixels). Properties: an accepted picture's sizes are sane and
// its pixel buffers hold exactly what the loaders will hand to OpenGL.

#include "FuzzCheck.h"
#include "tank/assets/BmpFile.h"

#include <vector>

using namespace quelmarine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> file(data, data + size);

    BmpInfoHeader info;
    std::vector<std::uint8_t> rgb;
    const bool plain = parseBmpRgb(file, info, rgb);
    if (plain) {
        FUZZ_CHECK(info.width > 0 && info.height > 0 && info.bitCount == 24);
        FUZZ_CHECK(rgb.size() == std::size_t(info.width) * std::size_t(info.height) * 3);
    }

    BmpInfoHeader alphaInfo;
    std::vector<std::uint8_t> rgba;
    const bool alpha = parseBmpWithAlpha(file, alphaInfo, rgba);
    FUZZ_CHECK(alpha == plain);
    if (alpha) {
        FUZZ_CHECK(rgba.size() == rgb.size() / 3 * 4);
        for (std::size_t i = 0, o = 0; i < rgb.size(); i += 3, o += 4)
            FUZZ_CHECK(rgba[o + 3] == ((rgb[i] | rgb[i + 1] | rgb[i + 2]) ? 255 : 0));
    }

    BmpPicture picture;
    if (parseBmpFile(file, picture)) {
        const BmpInfoHeader& p = picture.info;
        FUZZ_CHECK(p.width > 0 && p.height > 0);
        FUZZ_CHECK(p.bitCount == 8 || p.bitCount == 24 || p.bitCount == 32);
        FUZZ_CHECK(picture.pixels.size() ==
                   std::size_t(rowStride(p.bitCount, std::uint32_t(p.width))) *
                       std::size_t(p.height));
        FUZZ_CHECK(picture.palette.size() == (p.bitCount == 8 ? 256u * 4 : 0u));
    }
    return 0;
}
