// The desktop program's path for the user's own pictures on any bytes as the picture file: the
// decoder (QImageReader with the EXIF orientation, scaling and its allocation limit) and the
// texture made with SOIL in a real OpenGL context (an offscreen pbuffer: the run needs an X
// server). The last byte picks the file's name ending, so that mislabelled files are tried
// too. Properties: a decoded picture has power-of-two sides within the screen's, 3 or 4 bytes a
// pixel and a buffer of exactly its pixels; it always makes a texture, and OpenGL reports no
// error.

#include "FuzzCheck.h"
#include "OffscreenContext.h"
#include "ScratchFolder.h"
#include "desktop/pictures/PictureDecoder.h"
#include "desktop/pictures/PictureTextureMaker.h"

#include <GL/gl.h>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <string>

using namespace quelmarine;

namespace {

// A small screen keeps the pictures, and so SOIL's work on them, small.
constexpr int kScreenLongSide = 256;
const char* const kEndings[] = {".jpg", ".png", ".bmp", ".jpeg", "", ".gif"};

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Qt finds its image format plug-ins through the application object.
    static QCoreApplication application(*argc, *argv);
    // Qt's image readers warn about every broken file; the run needs none of that.
    QLoggingCategory::setFilterRules("qt.gui.imageio*=false");
    fuzzsupport::makeOffscreenContextCurrent();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* ending = kEndings[size > 0 ? data[size - 1] % std::size(kEndings) : 0];
    const std::string file = fuzzsupport::scratchFolder() + "picture" + ending;
    fuzzsupport::writeWholeFile(file, std::string_view(reinterpret_cast<const char*>(data), size));

    const DecodedPicture picture = decodePicture(QString::fromStdString(file), kScreenLongSide);
    std::remove(file.c_str());
    if (!picture.ok()) {
        FUZZ_CHECK(uploadPictureTexture(picture) == 0);
        return 0;
    }
    FUZZ_CHECK(isPowerOfTwo(picture.width) && picture.width <= kScreenLongSide);
    FUZZ_CHECK(isPowerOfTwo(picture.height) && picture.height <= kScreenLongSide);
    FUZZ_CHECK(picture.channels == 3 || picture.channels == 4);
    FUZZ_CHECK(picture.pixels.size() ==
               std::size_t(picture.width) * std::size_t(picture.height) * picture.channels);

    while (glGetError() != GL_NO_ERROR) {
    }
    const GLuint name = GLuint(uploadPictureTexture(picture));
    FUZZ_CHECK(name != 0);
    FUZZ_CHECK(glGetError() == GL_NO_ERROR);
    glDeleteTextures(1, &name);
    return 0;
}
