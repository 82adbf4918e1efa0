#include "tank/assets/PictureTexture.h"

#include <algorithm>
#include <cstdint>

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace quelmarine {

namespace {

DecodedPicture halve(const DecodedPicture& level) {
    DecodedPicture next;
    next.width = std::max(1, level.width / 2);
    next.height = std::max(1, level.height / 2);
    next.rgba.resize(std::size_t(next.width) * next.height * 4);
    const int stepX = level.width > 1 ? 2 : 1, stepY = level.height > 1 ? 2 : 1;
    for (int y = 0; y < next.height; ++y)
        for (int x = 0; x < next.width; ++x)
            for (int c = 0; c < 4; ++c) {
                unsigned sum = 0;
                for (int dy = 0; dy < stepY; ++dy)
                    for (int dx = 0; dx < stepX; ++dx)
                        sum += level.rgba[((std::size_t(y) * stepY + dy) * level.width +
                                           std::size_t(x) * stepX + dx) *
                                              4 +
                                          c];
                const unsigned n = unsigned(stepX * stepY);
                next.rgba[(std::size_t(y) * next.width + x) * 4 + c] =
                    std::uint8_t((sum + n / 2) / n);
            }
    return next;
}

} // namespace

int powerOfTwoAtMost(int side, int largestSide) {
    const int limit = std::max(1, std::min(side, largestSide));
    int power = 1;
    while (power * 2 <= limit)
        power *= 2;
    return power;
}

TextureLevels prepareTextureLevels(DecodedPicture picture, int largestSide) {
    TextureLevels texture;
    if (picture.width <= 0 || picture.height <= 0)
        return texture;
    shrinkPicture(picture, powerOfTwoAtMost(picture.width, largestSide),
                  powerOfTwoAtMost(picture.height, largestSide));
    // Rows from the bottom, and each row right to left: the backdrop surface runs its texture
    // from the right edge of the tank to the left (the built-in picture is stored mirrored for
    // the same reason), so the user's picture shows the right way round. Both together are a
    // half turn of the pixel array.
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture.rgba.data());
    std::reverse(pixels, pixels + std::size_t(picture.width) * picture.height);
    for (std::size_t i = 0; i < picture.rgba.size(); ++i)
        if (i % 4 != 3)
            picture.rgba[i] = std::uint8_t(16 + picture.rgba[i] * 219 / 255);
    texture.levels.push_back(std::move(picture));
    while (texture.levels.back().width > 1 || texture.levels.back().height > 1)
        texture.levels.push_back(halve(texture.levels.back()));
    return texture;
}

GLuint uploadTextureLevels(const TextureLevels& texture) {
    if (texture.levels.empty())
        return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (std::size_t level = 0; level < texture.levels.size(); ++level) {
        const DecodedPicture& picture = texture.levels[level];
        glTexImage2D(GL_TEXTURE_2D, GLint(level), GL_RGBA, picture.width, picture.height, 0,
                     GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    }
    return name;
}

} // namespace quelmarine
