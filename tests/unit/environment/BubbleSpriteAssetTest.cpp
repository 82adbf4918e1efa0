// The generated bubble sprite, as the program packs it.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "tank/assets/BmpFile.h"

namespace quelmarine {
namespace {

TEST(BubbleSpriteAsset, SmallRoundBubbleOnBlack) {
    const char* dir = std::getenv("QUELMARINE_ASSET_DIR");
    ASSERT_NE(dir, nullptr) << "QUELMARINE_ASSET_DIR is not set";
    BmpInfoHeader info;
    std::vector<std::uint8_t> rgb;
    ASSERT_TRUE(readBmpRgb(std::string(dir) + "/Particle1.bmp", info, rgb));
    ASSERT_EQ(info.width, 32);
    ASSERT_EQ(info.height, 32);
    EXPECT_EQ(info.bitCount, 24);
    auto brightness = [&](int x, int y) {
        const std::uint8_t* p = &rgb[(std::size_t(y) * 32 + x) * 3];
        return std::max({p[0], p[1], p[2]});
    };
    // Drawn additively: the square's border must add nothing, or every sprite shows its edges.
    for (int i = 0; i < 32; ++i)
        for (int edge : {0, 31}) {
            EXPECT_LE(brightness(i, edge), 2) << i;
            EXPECT_LE(brightness(edge, i), 2) << i;
        }
    // A bright rim around a clear body, with a highlight.
    int rim = 0, body = 255, peak = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const float r = std::hypot(x - 15.5f, y - 15.5f) / 16.0f;
            if (r > 0.72f && r < 0.84f)
                rim = std::max(rim, int(brightness(x, y)));
            if (r < 0.2f)
                body = std::min(body, int(brightness(x, y)));
            peak = std::max(peak, int(brightness(x, y)));
        }
    EXPECT_GT(rim, 120);
    EXPECT_LT(body, 60);
    EXPECT_GT(peak, 200);
}

} // namespace
} // namespace quelmarine
