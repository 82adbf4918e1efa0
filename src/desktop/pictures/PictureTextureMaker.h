#pragma once
// Turns the user's pictures into textures: each picture is decoded on a worker thread, then its
// texture is made on the user-interface thread, in the view's OpenGL context, with SOIL and the
// flags of the user's pictures (mipmaps, rows inverted, DXT compression, NTSC-safe colours).

#include <QObject>
#include <QThreadPool>
#include <deque>
#include <functional>
#include <memory>

#include "tank/environment/PictureTextures.h"

namespace quelmarine {

struct DecodedPicture;

// SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB.
inline constexpr unsigned kUserPictureFlags = 178;

// Makes the texture of a decoded picture in the current context; 0 when it cannot.
std::int32_t uploadPictureTexture(const DecodedPicture& picture);

class PictureTextureMaker : public QObject, public PictureTextures {
    Q_OBJECT
  public:
    // `makeCurrent` makes the view's context current (false when there is none);
    // `screenLongSide` bounds the decoded pictures.
    PictureTextureMaker(std::function<bool()> makeCurrent, int screenLongSide);
    ~PictureTextureMaker() override;

    void load(const std::string& path, std::function<void(std::int32_t)> done) override;
    // Deletes the texture in the view's context.
    void release(std::int32_t texture) override;

  private:
    struct Decoded {
        std::shared_ptr<DecodedPicture> picture;
        std::function<void(std::int32_t)> done;
    };
    // Longer than a frame period: a frame comes between two uploads.
    static constexpr int kUploadGapMs = 15;
    void uploadNext();

    std::function<bool()> makeContextCurrent;
    std::deque<Decoded> decoded;
    bool uploadPending = false;
    int longSide;
    QThreadPool workers;
};

} // namespace quelmarine
