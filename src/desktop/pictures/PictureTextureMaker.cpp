#include "desktop/pictures/PictureTextureMaker.h"

#include <GL/gl.h>
#include <QMetaObject>
#include <QString>
#include <QTimer>
#include <SOIL/SOIL.h>
#include <memory>

#include "desktop/pictures/PictureDecoder.h"

namespace quelmarine {

std::int32_t uploadPictureTexture(const DecodedPicture& picture) {
    if (!picture.ok())
        return 0;
    const unsigned texture =
        SOIL_create_OGL_texture(picture.pixels.data(), picture.width, picture.height,
                                picture.channels, SOIL_CREATE_NEW_ID, kUserPictureFlags);
    return std::int32_t(texture);
}

PictureTextureMaker::PictureTextureMaker(std::function<bool()> makeCurrent, int screenLongSide)
    : makeContextCurrent(std::move(makeCurrent)), longSide(screenLongSide) {
    // One worker: the other core stays with the frames.
    workers.setMaxThreadCount(1);
}

PictureTextureMaker::~PictureTextureMaker() {
    workers.clear();
    workers.waitForDone();
}

void PictureTextureMaker::load(const std::string& path, std::function<void(std::int32_t)> done) {
    const QString file = QString::fromStdString(path);
    const int side = longSide;
    workers.start([this, file, side, done = std::move(done)] {
        auto picture = std::make_shared<DecodedPicture>(decodePicture(file, side));
        QMetaObject::invokeMethod(
            this,
            [this, picture, done] {
                decoded.push_back({picture, done});
                if (!uploadPending)
                    uploadNext();
            },
            Qt::QueuedConnection);
    });
}

void PictureTextureMaker::release(std::int32_t texture) {
    if (texture <= 0 || !makeContextCurrent || !makeContextCurrent())
        return;
    const GLuint name = GLuint(texture);
    glDeleteTextures(1, &name);
}

// One texture at a time, a frame apart, so that pictures decoded together never hold up a frame
// between them.
void PictureTextureMaker::uploadNext() {
    uploadPending = false;
    if (decoded.empty())
        return;
    const Decoded next = decoded.front();
    decoded.pop_front();
    const bool current = makeContextCurrent && makeContextCurrent();
    next.done(current ? uploadPictureTexture(*next.picture) : 0);
    if (!decoded.empty()) {
        uploadPending = true;
        QTimer::singleShot(kUploadGapMs, this, [this] { uploadNext(); });
    }
}

} // namespace quelmarine
