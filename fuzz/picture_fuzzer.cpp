// The user's own pictures on any bytes as the picture file, as both programs take them: the
// decoder (libjpeg-turbo with the EXIF orientation, libpng, the BMP reader) from the file, the
// fitting to power-of-two sides, and the upload with SOIL in a real OpenGL context (an offscreen
// pbuffer: the run needs an X server). Properties: a decoded picture fits the limits and its
// buffer holds exactly its pixels; a refused one is empty; a fitted one has power-of-two sides
// within the screen's; the upload gives a texture name and OpenGL reports no error.

#include "FuzzCheck.h"
#include "OffscreenContext.h"
#include "ScratchFolder.h"
#include "tank/assets/PictureTexture.h"

#include <GL/gl.h>
#include <string>

using namespace quelmarine;

namespace {

// The program's limits scaled down, so that a few kilobytes claiming a huge picture cost a
// fuzzing run milliseconds rather than seconds; every check of the limits is still reached.
constexpr PictureLimits kLimits{512, 1u << 20, 4'000'000, 32u << 20};
// A small screen keeps the textures, and so SOIL's work on them, small.
constexpr int kScreenLongSide = 256;

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
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
        FUZZ_CHECK(uploadPictureTexture(picture) == 0);
        return 0;
    }
    FUZZ_CHECK(picture.width >= 1 && picture.width <= kLimits.longestSide);
    FUZZ_CHECK(picture.height >= 1 && picture.height <= kLimits.longestSide);
    FUZZ_CHECK(picture.rgba.size() == std::size_t(picture.width) * std::size_t(picture.height) * 4);

    fitPictureToTexture(picture, kScreenLongSide);
    FUZZ_CHECK(isPowerOfTwo(picture.width) && picture.width <= kScreenLongSide);
    FUZZ_CHECK(isPowerOfTwo(picture.height) && picture.height <= kScreenLongSide);
    FUZZ_CHECK(picture.rgba.size() == std::size_t(picture.width) * std::size_t(picture.height) * 4);
    while (glGetError() != GL_NO_ERROR) {
    }
    const GLuint name = GLuint(uploadPictureTexture(picture));
    FUZZ_CHECK(name != 0);
    FUZZ_CHECK(glGetError() == GL_NO_ERROR);
    glDeleteTextures(1, &name);
    return 0;
}
