#include "tank/assets/PictureTexture.h"

#include <SOIL/SOIL.h>

#include <algorithm>
#include <cmath>

namespace quelmarine {

namespace {
int largestPowerOfTwoAtMost(int n) {
    int p = 1;
    while (p * 2 <= n)
        p *= 2;
    return p;
}
} // namespace

int nearestPowerOfTwo(int side, int limit) {
    limit = std::max(limit, 1);
    const int below = largestPowerOfTwoAtMost(std::max(side, 1));
    const int nearest =
        (below * 2 <= limit && double(side) / below > std::sqrt(2.0)) ? below * 2 : below;
    return std::min(nearest, largestPowerOfTwoAtMost(limit));
}

void fitPictureToTexture(DecodedPicture& picture, int screenLongSide) {
    if (!picture.ok())
        return;
    const int limit = std::clamp(screenLongSide, 1, kMaxPictureSide);
    int fittedWidth = std::min(picture.width, limit),
        fittedHeight = std::min(picture.height, limit);
    // The aspect ratio is kept while fitting.
    if (std::int64_t(fittedWidth) * picture.height > std::int64_t(fittedHeight) * picture.width)
        fittedWidth = std::max(1, int(std::int64_t(fittedHeight) * picture.width / picture.height));
    else
        fittedHeight = std::max(1, int(std::int64_t(fittedWidth) * picture.height / picture.width));
    resizePicture(picture, nearestPowerOfTwo(fittedWidth, limit),
                  nearestPowerOfTwo(fittedHeight, limit));
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture.rgba.data());
    for (int y = 0; y < picture.height; ++y)
        std::reverse(pixels + std::size_t(y) * picture.width,
                     pixels + std::size_t(y + 1) * picture.width);
}

DecodedPicture loadUserPicture(const std::string& path, int screenLongSide) {
    PictureLimits limits;
    limits.longestSide = std::clamp(screenLongSide, 1, kMaxPictureSide);
    DecodedPicture picture;
    if (decodePicture(path, picture, limits) != PictureError::None)
        return {};
    fitPictureToTexture(picture, screenLongSide);
    return picture;
}

std::int32_t uploadPictureTexture(const DecodedPicture& picture) {
    if (!picture.ok())
        return 0;
    if (picture.alpha)
        return std::int32_t(SOIL_create_OGL_texture(picture.rgba.data(), picture.width,
                                                    picture.height, 4, SOIL_CREATE_NEW_ID,
                                                    kUserPictureFlags));
    std::vector<unsigned char> rgb(std::size_t(picture.width) * picture.height * 3);
    for (std::size_t i = 0, j = 0; j < rgb.size(); i += 4, j += 3)
        std::copy(&picture.rgba[i], &picture.rgba[i] + 3, &rgb[j]);
    return std::int32_t(SOIL_create_OGL_texture(rgb.data(), picture.width, picture.height, 3,
                                                SOIL_CREATE_NEW_ID, kUserPictureFlags));
}

} // namespace quelmarine
