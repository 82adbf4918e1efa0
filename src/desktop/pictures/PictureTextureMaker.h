#pragma once
// The program's side of the user's picture textures: the tank library's PictureLoader reads each
// picture on its worker thread; this wakes the user-interface thread for each one read and makes
// the textures there, in the view's OpenGL context, one a frame apart.

#include <QObject>
#include <functional>

#include "tank/environment/PictureLoader.h"

namespace quelmarine {

class PictureTextureMaker : public QObject, public PictureTextures {
    Q_OBJECT
  public:
    // `makeCurrent` makes the view's context current (false when there is none);
    // `screenLongSide` bounds the pictures.
    PictureTextureMaker(std::function<bool()> makeCurrent, int screenLongSide);
    ~PictureTextureMaker() override;

    void load(const std::string& path, std::function<void(std::int32_t)> done) override {
        loader.load(path, std::move(done));
    }
    // Deletes the texture in the view's context.
    void release(std::int32_t texture) override { loader.release(texture); }

  private:
    // Longer than a frame period: a frame comes between two uploads.
    static constexpr int kUploadGapMs = 15;
    void uploadNext();

    PictureLoader loader;
    bool uploadPending = false;
};

} // namespace quelmarine
