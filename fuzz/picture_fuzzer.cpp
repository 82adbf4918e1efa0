// The saver's path for the user's own pictures on any bytes as the picture file: the decoder
// (libjpeg-turbo, libpng, the BMP reader) from the file, the texture levels, and their upload in
// a real OpenGL context (an offscreen pbuffer: the run needs an X server). Properties: a decoded
// picture fits the limits and its buffer holds exactly its pixels; a refused one is empty; the
// levels are powers of two, each half the one before down to 1 x 1; the upload gives a texture
// name and OpenGL reports no error.

#include "FuzzCheck.h"
#include "OffscreenContext.h"
#include "ScratchFolder.h"
#include "tank/assets/PictureTexture.h"

#include <algorithm>
#include <string>

using namespace quelmarine;

namespace {

// The program's limits scaled down, so that a few kilobytes claiming a huge picture cost a
// fuzzing run milliseconds rather than seconds; every check of the limits is still reached.
constexpr PictureLimits kLimits{512, 1u << 20, 4'000'000, 32u << 20};
constexpr int kLargestSide = 256;

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

void checkLevels(const TextureLevels& texture) {
    FUZZ_CHECK(!texture.levels.empty());
    const DecodedPicture& top = texture.levels.front();
    FUZZ_CHECK(isPowerOfTwo(top.width) && isPowerOfTwo(top.height));
    FUZZ_CHECK(top.width <= kLargestSide && top.height <= kLargestSide);
    int width = top.width, height = top.height;
    for (const DecodedPicture& level : texture.levels) {
        FUZZ_CHECK(level.width == width && level.height == height);
        FUZZ_CHECK(level.rgba.size() == std::size_t(width) * std::size_t(height) * 4);
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    const DecodedPicture& last = texture.levels.back();
    FUZZ_CHECK(last.width == 1 && last.height == 1);
    // Colours are kept within 16 ... 235; alpha is left alone.
    for (std::size_t i = 0; i < top.rgba.size(); ++i)
        if (i % 4 != 3)
            FUZZ_CHECK(top.rgba[i] >= 16 && top.rgba[i] <= 235);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::makeOffscreenContextCurrent();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string file = fuzzsupport::scratchFolder() + "picture";
    fuzzsupport::writeWholeFile(file, std::string_view(reinterpret_cast<const char*>(data), size));

    DecodedPicture picture;
    const PictureError error = decodePicture(file, picture, kLimits);
    if (error != PictureError::None) {
        FUZZ_CHECK(picture.width == 0 && picture.height == 0 && picture.rgba.empty());
        return 0;
    }
    FUZZ_CHECK(picture.width >= 1 && picture.width <= kLimits.longestSide);
    FUZZ_CHECK(picture.height >= 1 && picture.height <= kLimits.longestSide);
    FUZZ_CHECK(picture.rgba.size() == std::size_t(picture.width) * std::size_t(picture.height) * 4);

    const TextureLevels texture = prepareTextureLevels(std::move(picture), kLargestSide);
    checkLevels(texture);
    while (glGetError() != GL_NO_ERROR) {
    }
    const GLuint name = uploadTextureLevels(texture);
    FUZZ_CHECK(name != 0);
    FUZZ_CHECK(glGetError() == GL_NO_ERROR);
    glDeleteTextures(1, &name);
    return 0;
}
