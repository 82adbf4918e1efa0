#include "desktop/pictures/PictureTextureMaker.h"

#include <QMetaObject>
#include <QTimer>

namespace quelmarine {

PictureTextureMaker::PictureTextureMaker(std::function<bool()> makeCurrent, int screenLongSide)
    : loader(std::move(makeCurrent), screenLongSide) {
    loader.pictureRead = [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!uploadPending)
                    uploadNext();
            },
            Qt::QueuedConnection);
    };
}

PictureTextureMaker::~PictureTextureMaker() {
    // No picture is announced to an object on its way out.
    loader.stop();
}

// One texture at a time, a frame apart, so that pictures read together never hold up a frame
// between them.
void PictureTextureMaker::uploadNext() {
    uploadPending = false;
    if (loader.uploadNext()) {
        uploadPending = true;
        QTimer::singleShot(kUploadGapMs, this, [this] { uploadNext(); });
    }
}

} // namespace quelmarine
