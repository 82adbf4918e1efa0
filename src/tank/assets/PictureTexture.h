#pragma once
// The user's picture as a texture, the same in both programs. The heavy part runs on any thread:
// the picture is read, scaled so that it fits the screen, and its sides taken to the nearest
// powers of two (the mipmaps need them). Only the upload, with SOIL and the flags of the user's
// pictures, runs on the thread whose OpenGL context is current.

#include "tank/assets/PictureDecoder.h"

#include <cstdint>
#include <string>

namespace quelmarine {

// No side of a user's picture texture is longer than this.
inline constexpr int kMaxPictureSide = 4096;

// SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB.
inline constexpr unsigned kUserPictureFlags = 178;

// The power of two nearest to `side` on a log scale, at most the largest power of two not
// above `limit`.
int nearestPowerOfTwo(int side, int limit);

// Fits `picture` into a square of the screen's longer side (and kMaxPictureSide), scales each
// side to its nearest power of two, and mirrors each row: the backdrop surface maps the
// texture's left edge to the tank's right side, so the picture shows the right way round.
void fitPictureToTexture(DecodedPicture& picture, int screenLongSide);

// Reads `path` and fits it for a screen whose longer side is `screenLongSide` pixels. Empty when
// the file cannot be read as a picture.
DecodedPicture loadUserPicture(const std::string& path, int screenLongSide);

// Makes the texture of a fitted picture in the current context (three channels unless the
// picture has transparency); 0 when it cannot.
std::int32_t uploadPictureTexture(const DecodedPicture& picture);

} // namespace quelmarine
