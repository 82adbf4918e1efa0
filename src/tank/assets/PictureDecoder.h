#pragma once
// Decoding the user's own pictures (JPEG, including progressive ones, PNG of any depth and BMP)
// without any window system, with bounded memory: a path that is not a regular file is refused
// unopened, files and dimensions are bounded before anything large is allocated, a camera's
// EXIF orientation is applied, and the picture is scaled down so that its longest side fits.

#include <cstdint>
#include <string>
#include <vector>

namespace quelmarine {

// Red, green, blue, alpha bytes, rows from the top.
struct DecodedPicture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    bool alpha = false; // the file holds transparency (else every alpha byte is 255)
    bool ok() const { return !rgba.empty(); }
};

enum class PictureError {
    None,
    NotARegularFile, // missing, a folder, a device, a pipe ...: never opened
    Unreadable,
    TooLarge,      // the file or its dimensions exceed the limits
    UnknownFormat, // not JPEG, PNG or BMP
    Corrupt        // the decoder refused it
};

struct PictureLimits {
    int longestSide = 4096;                          // of the decoded picture
    std::uint64_t largestFile = 128u << 20;          // bytes
    std::uint64_t largestSourcePixels = 100'000'000; // width x height in the file
    std::uint64_t decoderMemory = 512u << 20;        // bytes one decode may use
};

PictureError decodePicture(const std::string& path, DecodedPicture& picture,
                           const PictureLimits& limits = {});

// The same from bytes in memory (used by decodePicture and by tests).
PictureError decodePictureBytes(const std::vector<std::uint8_t>& bytes, DecodedPicture& picture,
                                const PictureLimits& limits = {});

// Shrinks `picture` by averaging so that it is at most `width` x `height`; nothing changes when
// it already fits.
void shrinkPicture(DecodedPicture& picture, int width, int height);

// Scales `picture` to exactly `width` x `height`: each side is averaged where it shrinks and
// interpolated where it grows.
void resizePicture(DecodedPicture& picture, int width, int height);

// Turns the picture as an EXIF orientation tag (1 ... 8) asks, so that it shows upright.
void applyOrientation(DecodedPicture& picture, int orientation);

// The size that keeps the aspect ratio with the longest side at most `longestSide`.
void fitLongestSide(int& width, int& height, int longestSide);

} // namespace quelmarine
