#pragma once
// The user's picture as a texture. The heavy part (power-of-two sizes, the mipmap chain, the
// colour range) is done by prepareTextureLevels on any thread; uploadTextureLevels only hands
// the levels to OpenGL on the thread whose context is current.

#include "tank/assets/PictureDecoder.h"

#include <GL/gl.h>
#include <vector>

namespace quelmarine {

struct TextureLevels {
    // Level 0 first, each half the size of the one before, down to 1 x 1; rows from the bottom.
    std::vector<DecodedPicture> levels;
};

// The largest power of two not above `side` (at least 1) and not above `largestSide`.
int powerOfTwoAtMost(int side, int largestSide);

// Scales to power-of-two sides of at most `largestSide`, turns the rows bottom-first as OpenGL
// counts them and each row right to left as the backdrop surface runs, and maps each colour channel
// into 16 ... 235 (the desktop program's picture loader does the same), then builds every mipmap
// level.
TextureLevels prepareTextureLevels(DecodedPicture picture, int largestSide);

// Makes a mipmapped texture of the levels (linear filtering, edges clamped); 0 when there are
// none.
GLuint uploadTextureLevels(const TextureLevels& texture);

} // namespace quelmarine
