#include "tank/assets/BmpFile.h"
#include "support/BmpBuilder.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace quelmarine;
using testsupport::Bgr;
using testsupport::makeBmp;
using testsupport::put32;

namespace {
Bgr gradient(int x, int y) {
    return {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x + y)};
}
} // namespace

TEST(RowStride, PadsRowsToFourBytes) {
    EXPECT_EQ(rowStride(24, 1), 4u);
    EXPECT_EQ(rowStride(24, 4), 12u);
    EXPECT_EQ(rowStride(24, 5), 16u);
    EXPECT_EQ(rowStride(8, 5), 8u);
    EXPECT_EQ(rowStride(32, 3), 12u);
}

TEST(ParseBmpRgb, SwapsToRedGreenBlue) {
    auto file = makeBmp(4, 2, 24, gradient);
    BmpInfoHeader info;
    std::vector<std::uint8_t> rgb;
    ASSERT_TRUE(parseBmpRgb(file, info, rgb));
    EXPECT_EQ(info.width, 4);
    ASSERT_EQ(rgb.size(), 4u * 2 * 3);
    // Pixel (1, 1): blue 1, green 1, red 2 in the file.
    EXPECT_EQ(rgb[(1 * 4 + 1) * 3 + 0], 2);
    EXPECT_EQ(rgb[(1 * 4 + 1) * 3 + 2], 1);
}

TEST(ParseBmpRgb, RefusesWhatTheMipmappedLoaderCannotTake) {
    BmpInfoHeader info;
    std::vector<std::uint8_t> rgb;
    EXPECT_FALSE(parseBmpRgb(makeBmp(3, 2, 24, gradient), info, rgb)); // rows need padding
    EXPECT_FALSE(parseBmpRgb(makeBmp(4, 2, 32, gradient), info, rgb)); // not 24-bit
    auto lying = makeBmp(4, 4, 24, gradient);
    put32(lying, 34, 0); // image size unset
    EXPECT_FALSE(parseBmpRgb(lying, info, rgb));
    auto farOffset = makeBmp(4, 4, 24, gradient);
    put32(farOffset, 10, 1u << 30);
    EXPECT_FALSE(parseBmpRgb(farOffset, info, rgb));
    auto truncated = makeBmp(8, 8, 24, gradient);
    truncated.resize(truncated.size() - 1);
    EXPECT_FALSE(parseBmpRgb(truncated, info, rgb));
}

TEST(ParseBmpFile, ReadsEightBitPicturesWithAFullTableWhenColoursUsedIsZero) {
    std::vector<Bgr> palette(256, Bgr{0, 0, 0});
    palette[7] = {10, 20, 30};
    auto file = makeBmp(
        3, 2, 8,
        [](int, int) {
            return Bgr{7, 0, 0};
        },
        palette, 0);
    BmpPicture picture;
    ASSERT_TRUE(parseBmpFile(file, picture));
    EXPECT_EQ(picture.pixels[0], 7);
    EXPECT_EQ(picture.palette[7 * 4 + 2], 30);
    EXPECT_EQ(picture.pixels.size(), rowStride(8, 3) * 2u);
}

TEST(ParseBmpFile, ShortColourTablesAndIndexesBeyondThemStayInBounds) {
    std::vector<Bgr> palette = {{1, 2, 3}, {4, 5, 6}};
    auto file = makeBmp(
        4, 1, 8,
        [](int x, int) {
            return Bgr{std::uint8_t(x * 80), 0, 0};
        },
        palette, 2);
    BmpPicture picture;
    ASSERT_TRUE(parseBmpFile(file, picture));
    EXPECT_EQ(picture.palette.size(), 256u * 4);
    EXPECT_EQ(picture.palette[240 * 4], 0); // index 240 reads black, not beyond the table
}

TEST(ParseBmpFile, RefusesLyingOrTruncatedHeaders) {
    BmpPicture picture;
    auto base = makeBmp(16, 16, 24, gradient);
    auto expectRefused = [&](std::size_t at, std::uint32_t value, const char* what) {
        auto file = base;
        put32(file, at, value);
        EXPECT_FALSE(parseBmpFile(file, picture)) << what;
    };
    expectRefused(18, 100000, "huge width");
    expectRefused(22, 0xFFFFFFF0u, "negative height");
    expectRefused(18, 0, "zero width");
    expectRefused(22, 17, "one row more than the file holds");
    expectRefused(30, 1, "compressed");
    auto eight = makeBmp(4, 4, 8, gradient, std::vector<Bgr>(4), 4);
    put32(eight, 46, 300); // more colours than a table can hold
    EXPECT_FALSE(parseBmpFile(eight, picture));
    auto other = base;
    other[0] = 'X';
    EXPECT_FALSE(parseBmpFile(other, picture));
    EXPECT_FALSE(parseBmpFile(std::vector<std::uint8_t>(base.begin(), base.begin() + 14), picture));
    auto sixteen = base;
    sixteen[28] = 16;
    EXPECT_FALSE(parseBmpFile(sixteen, picture));
}

TEST(ParseBmpFile, RandomCorruptionNeverReadsOutOfBounds) {
    auto base = makeBmp(12, 9, 24, gradient);
    BmpPicture picture;
    BmpInfoHeader info;
    std::vector<std::uint8_t> rgb;
    std::srand(1234);
    for (int round = 0; round < 3000; ++round) {
        auto file = base;
        for (int n = 0; n < 4; ++n)
            file[std::size_t(std::rand()) % 54] = std::uint8_t(std::rand());
        file.resize(std::size_t(std::rand()) % (file.size() + 1));
        if (parseBmpFile(file, picture)) {
            const auto needed =
                std::size_t(rowStride(picture.info.bitCount, std::uint32_t(picture.info.width))) *
                std::size_t(picture.info.height);
            ASSERT_EQ(picture.pixels.size(), needed);
        }
        if (parseBmpRgb(file, info, rgb)) {
            ASSERT_EQ(rgb.size(), std::size_t(info.width) * std::size_t(info.height) * 3);
        }
    }
}
