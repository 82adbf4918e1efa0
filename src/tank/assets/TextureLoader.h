#pragma once
// Turning plain BMP files into OpenGL textures (the view's context must be current).
// A file that cannot be read leaves a texture name that is bound but has no image.

#include <GL/gl.h>
#include <cstdint>
#include <string>
#include <vector>

#include "tank/assets/BmpFile.h"

namespace quelmarine {

// The minifying filter of a texture made by loadMipmappedTexture.
constexpr GLint kMipmappedMinFilter = GL_LINEAR_MIPMAP_NEAREST;

// RGBA with black transparent, a full mipmap chain, repeat wrapping.
void loadMipmappedTexture(const std::string& path, GLuint& textureId);

// Linear filtering, scaled to powers of two of at most 512 texels a side.
void loadTexture(const std::string& path, GLuint& textureId);

// Defines level 0 of the bound texture from the picture at `path`.
void uploadBmpTexture(const std::string& path);

// How a picture goes to OpenGL: the target size and format, and whether it must be resampled.
struct UploadDescription {
    int width = 0, height = 0;
    int components = 3;
    GLenum format = 0;
    bool resample = false;
};

// Target size: the next power of two of each side, limited to `limit` and at least 2.
int powerOfTwoSide(int side, int limit);

// Decides the upload of `picture` for a largest texture side of `maxTextureSize`; when it must
// be resampled, fills `pixels` with the resampled (and, for 8-bit pictures, expanded) pixels.
bool fitToPowerOfTwo(const BmpPicture& picture, int maxTextureSize, UploadDescription& upload,
                     std::vector<std::uint8_t>& pixels);

// A copy of `size` bytes of pixels, in rows of `rowBytes`, with zeroed room for two more rows
// (and 16 bytes) behind them: what the loaders hand GLU's image scaler, which can read that far.
std::vector<std::uint8_t> withReadSlack(const std::uint8_t* pixels, std::size_t size,
                                        std::size_t rowBytes);

} // namespace quelmarine
