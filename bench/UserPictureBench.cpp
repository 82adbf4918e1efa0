// The user's pictures: the steady frame with a user picture as the backdrop against the
// built-in backdrop's (same scene, same frames), and the upload of one decoded photo on the
// user-interface thread.
#include "BenchSupport.h"

#include <GL/gl.h>
#include <QImage>
#include <QString>

#include "support/TempDir.h"
#include "tank/ProcessState.h"
#include "tank/assets/PictureTexture.h"

namespace {

// A photo-like 12-megapixel JPEG, read as both programs do for a 1280 x 1024 screen.
quelmarine::DecodedPicture decodedPhoto() {
    testsupport::TempDir dir;
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb((x / 7 + y / 5) & 255, (y / 3) & 255, ((x ^ y) / 9) & 255);
    }
    photo.save(QString::fromStdString(dir.file("photo.jpg")), "jpeg", 85);
    return quelmarine::loadUserPicture(dir.file("photo.jpg"), bench::kWidth);
}

void frameWithBackdrop(benchmark::State& state, bool userPicture) {
    auto scene = bench::makeScene("");
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    static const quelmarine::DecodedPicture photo = decodedPhoto();
    static const GLuint texture = GLuint(quelmarine::uploadPictureTexture(photo));
    if (texture == 0)
        return state.SkipWithError("no texture");
    bench::renderFrames(*scene, state, userPicture ? texture : 0);
}

// The default scene with the built-in backdrop, as the baseline of the next one.
void BM_FrameBuiltInBackdrop(benchmark::State& state) {
    frameWithBackdrop(state, false);
}
BENCHMARK(BM_FrameBuiltInBackdrop)->Unit(benchmark::kMillisecond);

// The same scene with a user's photo as the backdrop.
void BM_FrameUserPictureBackdrop(benchmark::State& state) {
    frameWithBackdrop(state, true);
}
BENCHMARK(BM_FrameUserPictureBackdrop)->Unit(benchmark::kMillisecond);

// Making the texture of one decoded 12-megapixel photo: the work the user-interface thread does
// for a picture (mipmaps, DXT compression, upload).
void BM_UploadDecodedPhoto(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    static const quelmarine::DecodedPicture photo = decodedPhoto();
    for (auto _ : state) {
        GLuint texture = GLuint(quelmarine::uploadPictureTexture(photo));
        glFinish();
        glDeleteTextures(1, &texture);
    }
}
BENCHMARK(BM_UploadDecodedPhoto)->Unit(benchmark::kMillisecond);

} // namespace
