#pragma once
// Decoding a user's picture for a texture, off the user-interface thread: QImageReader (JPEG
// including progressive, PNG of any bit depth, BMP), the EXIF orientation applied, decoded
// scaled so that it is no larger than the texture needs, with its memory bounded. Files that are
// not readable regular files are refused unopened.

#include <QString>
#include <cstdint>
#include <vector>

namespace quelmarine {

struct DecodedPicture {
    // Rows top first, tightly packed, `channels` bytes per pixel (3: RGB, 4: RGBA), each row
    // mirrored left to right (the backdrop surface mirrors it back).
    std::vector<unsigned char> pixels;
    int width = 0, height = 0, channels = 0;
    bool ok() const { return !pixels.empty(); }
};

// No side of a decoded picture is longer than this.
inline constexpr int kMaxPictureSide = 4096;
// Pictures with more pixels than this are refused before decoding (about 100 megapixels).
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;
// The most memory one decode may take, in megabytes.
inline constexpr int kPictureAllocationLimitMb = 512;

// Decodes `path` for a screen whose longer side is `screenLongSide` pixels. The result's sides
// are powers of two (the texture's mipmaps need them), each the one nearest to the picture's
// scaled side, and none longer than the screen's long side or kMaxPictureSide. Empty on failure.
DecodedPicture decodePicture(const QString& path, int screenLongSide);

} // namespace quelmarine
