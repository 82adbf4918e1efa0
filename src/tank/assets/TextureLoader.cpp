#include "tank/assets/TextureLoader.h"

#include <GL/glu.h>
#include <algorithm>

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif
#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif

namespace quelmarine {

namespace {

constexpr int kLargestPlainTexture = 512;

// 8-bit palette rows expanded to padded 24-bit blue-green-red rows.
std::vector<std::uint8_t> expandPalette(const BmpPicture& picture) {
    const auto width = std::uint32_t(picture.info.width),
               height = std::uint32_t(picture.info.height);
    const std::uint32_t inStride = rowStride(8, width), outStride = rowStride(24, width);
    std::vector<std::uint8_t> out(std::size_t(outStride) * height, 0);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint8_t* entry =
                &picture.palette[std::size_t(picture.pixels[y * inStride + x]) * 4];
            std::uint8_t* o = &out[std::size_t(y) * outStride + x * 3];
            o[0] = entry[0];
            o[1] = entry[1];
            o[2] = entry[2];
        }
    }
    return out;
}

} // namespace

// GLU's image scaler (behind gluScaleImage and gluBuild2DMipmaps) can read past the last row
// of its input; found by fuzzing the loaders, where such a read fell into an unmapped page.
std::vector<std::uint8_t> withReadSlack(const std::uint8_t* pixels, std::size_t size,
                                        std::size_t rowBytes) {
    std::vector<std::uint8_t> padded(size + 2 * rowBytes + 16, 0);
    std::copy(pixels, pixels + size, padded.begin());
    return padded;
}

int powerOfTwoSide(int side, int limit) {
    const int wanted = std::min(side, limit);
    int target = 2;
    while (target < wanted)
        target *= 2;
    return target;
}

bool fitToPowerOfTwo(const BmpPicture& picture, int maxTextureSize, UploadDescription& upload,
                     std::vector<std::uint8_t>& pixels) {
    const int limit = std::min(maxTextureSize, kLargestPlainTexture);
    const BmpInfoHeader& info = picture.info;
    upload.width = powerOfTwoSide(info.width, limit);
    upload.height = powerOfTwoSide(info.height, limit);
    const bool is32 = info.bitCount == 32;
    upload.components = is32 ? 4 : 3;
    upload.format = is32 ? GL_BGRA_EXT : GL_BGR_EXT;
    upload.resample =
        !(upload.width == info.width && upload.height == info.height && info.bitCount != 8);
    if (!upload.resample)
        return true;
    std::vector<std::uint8_t> expanded;
    if (info.bitCount == 8)
        expanded = expandPalette(picture);
    const std::vector<std::uint8_t>& plain = info.bitCount == 8 ? expanded : picture.pixels;
    const std::uint32_t sourceBits = info.bitCount == 8 ? 24 : info.bitCount;
    const std::vector<std::uint8_t> source =
        withReadSlack(plain.data(), plain.size(), rowStride(sourceBits, std::uint32_t(info.width)));
    // Rows of the resampled picture are padded to 4 bytes, as the pack alignment says.
    const std::size_t outStride = (std::size_t(upload.width) * upload.components + 3) / 4 * 4;
    pixels.assign(outStride * std::size_t(upload.height), 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return gluScaleImage(is32 ? GL_BGRA_EXT : GL_RGB, info.width, info.height, GL_UNSIGNED_BYTE,
                         source.data(), upload.width, upload.height, GL_UNSIGNED_BYTE,
                         pixels.data()) == 0;
}

void uploadBmpTexture(const std::string& path) {
    BmpPicture picture;
    if (!readBmpFile(path, picture))
        return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    UploadDescription upload;
    std::vector<std::uint8_t> resampled;
    if (!fitToPowerOfTwo(picture, maxSize > 0 ? maxSize : 64, upload, resampled))
        return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const std::uint8_t* pixels = upload.resample ? resampled.data() : picture.pixels.data();
    glTexImage2D(GL_TEXTURE_2D, 0, upload.components, upload.width, upload.height, 0, upload.format,
                 GL_UNSIGNED_BYTE, pixels);
}

void loadTexture(const std::string& path, GLuint& textureId) {
    glGenTextures(1, &textureId);
    glBindTexture(GL_TEXTURE_2D, textureId);
    uploadBmpTexture(path);
}

void loadMipmappedTexture(const std::string& path, GLuint& textureId) {
    glGenTextures(1, &textureId);
    glBindTexture(GL_TEXTURE_2D, textureId);
    BmpInfoHeader info;
    std::vector<std::uint8_t> rgba;
    if (!readBmpWithAlpha(path, info, rgba))
        return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const std::vector<std::uint8_t> padded =
        withReadSlack(rgba.data(), rgba.size(), std::size_t(info.width) * 4);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, info.width, info.height, GL_RGBA, GL_UNSIGNED_BYTE,
                      padded.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, kMipmappedMinFilter);
}

} // namespace quelmarine
