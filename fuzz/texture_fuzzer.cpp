// Both texture loaders, whole, on any bytes as the picture file, in a real OpenGL context (an
// offscreen pbuffer: the run needs an X server). Properties: no crash and no out-of-bounds access
// in our code; every call leaves a texture name; OpenGL reports no error for an accepted picture.

#include "FuzzCheck.h"
#include "OffscreenContext.h"
#include "ScratchFolder.h"
#include "tank/assets/TextureLoader.h"

#include <string>

using namespace quelmarine;

namespace {

const std::string& pictureFile() {
    static const std::string path = fuzzsupport::scratchFolder() + "picture.bmp";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::makeOffscreenContextCurrent();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::writeWholeFile(pictureFile(),
                                std::string_view(reinterpret_cast<const char*>(data), size));
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint plain = 0, mipmapped = 0;
    loadTexture(pictureFile(), plain);
    FUZZ_CHECK(plain != 0);
    FUZZ_CHECK(glGetError() == GL_NO_ERROR);
    loadMipmappedTexture(pictureFile(), mipmapped);
    FUZZ_CHECK(mipmapped != 0);
    FUZZ_CHECK(glGetError() == GL_NO_ERROR);
    const GLuint names[] = {plain, mipmapped};
    glDeleteTextures(2, names);
    return 0;
}
