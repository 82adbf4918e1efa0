#pragma once
// The user's BMP pictures, as paint programs and cameras write them: 1, 4, 8, 16, 24 and 32 bits
// a pixel, uncompressed or with bit-field masks, any of the info headers (40, 52, 56, 108 or
// 124 bytes), rows from the bottom or from the top, the pixels where the file header says.
// (The built-in pictures keep their own, stricter reader.)

#include "tank/assets/PictureDecoder.h"

namespace quelmarine {

PictureError decodeUserBmp(const std::vector<std::uint8_t>& bytes, DecodedPicture& picture,
                           const PictureLimits& limits);

} // namespace quelmarine
