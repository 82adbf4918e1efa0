// The generated backdrop picture as the build leaves it: what the mipmapped loader relies on,
// and a coarse check that it reads as lit water above a darker floor.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::uint32_t le32(const std::string& b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t le16(const std::string& b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

std::string envOrEmpty(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

class BackdropPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        path = envOrEmpty("QUELMARINE_ASSET_DIR") + "/BackGround0.bmp";
        bytes = testsupport::readFile(path);
        ASSERT_GE(bytes.size(), 54u) << path;
        width = int(le32(bytes, 18));
        height = int(le32(bytes, 22));
    }
    // Mean of r + g + b over rows [y0, y1) of the picture, counted from the top; bottom-up rows
    // in the file.
    double meanBrightness(int y0, int y1, int x0 = 0, int x1 = -1) const {
        if (x1 < 0)
            x1 = width;
        double sum = 0;
        for (int y = y0; y < y1; ++y) {
            std::size_t row = 54 + std::size_t(height - 1 - y) * width * 3;
            for (int x = x0; x < x1; ++x)
                for (int c = 0; c < 3; ++c)
                    sum += std::uint8_t(bytes[row + x * 3 + c]);
        }
        return sum / (double(y1 - y0) * (x1 - x0));
    }
    std::string path, bytes;
    int width = 0, height = 0;
};

TEST_F(BackdropPicture, HeaderSuitsTheMipmappedLoader) {
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(le32(bytes, 2), bytes.size());
    EXPECT_EQ(le32(bytes, 10), 54u); // pixels right after the headers
    EXPECT_EQ(le32(bytes, 14), 40u);
    EXPECT_GE(width, 1024);
    EXPECT_GE(height, 512);
    EXPECT_EQ(le16(bytes, 28), 24);
    EXPECT_EQ(le32(bytes, 30), 0u); // uncompressed
    // The loader takes the pixels as tightly packed: rows need no padding, and the image-size
    // field must hold exactly the pixel bytes.
    EXPECT_EQ(width * 3 % 4, 0);
    EXPECT_EQ(le32(bytes, 34), std::uint32_t(width) * height * 3);
    EXPECT_EQ(bytes.size(), 54u + std::size_t(width) * height * 3);
}

TEST_F(BackdropPicture, NoTexelIsPureBlackSoNoneTurnsTransparent) {
    std::size_t black = 0;
    for (std::size_t i = 54; i + 2 < bytes.size(); i += 3)
        if (bytes[i] == 0 && bytes[i + 1] == 0 && bytes[i + 2] == 0)
            ++black;
    EXPECT_EQ(black, 0u);
}

TEST_F(BackdropPicture, ReadsAsWaterLitFromAboveWithTheSunOnTheScreensLeft) {
    // Rows just under the surface (shown at the top of the screen) against the floor.
    double top = meanBrightness(height * 10 / 100, height * 20 / 100);
    double bottom = meanBrightness(height * 2 / 3, height);
    EXPECT_GT(top, bottom * 1.4);
    // Not a flat picture: brightness varies across the image.
    double mean = meanBrightness(0, height), var = 0;
    for (std::size_t i = 54; i + 2 < bytes.size(); i += 3) {
        double v = double(std::uint8_t(bytes[i])) + std::uint8_t(bytes[i + 1]) +
                   std::uint8_t(bytes[i + 2]);
        var += (v - mean) * (v - mean);
    }
    EXPECT_GT(var / (double(width) * height), 30.0 * 30.0);
    // Open water is blue-green: red stays well below blue in the middle band.
    std::size_t row = 54 + std::size_t(height / 2) * width * 3;
    long red = 0, blue = 0;
    for (int x = 0; x < width; ++x) {
        blue += std::uint8_t(bytes[row + x * 3]);
        red += std::uint8_t(bytes[row + x * 3 + 2]);
    }
    EXPECT_LT(red * 2, blue);
    // The texture runs from the tank's right edge to its left, so the picture is stored mirrored:
    // the sunlit side, meant for the left of the screen, lies in the right half of the file.
    double left = meanBrightness(height * 15 / 100, height * 45 / 100, 0, width / 2);
    double right = meanBrightness(height * 15 / 100, height * 45 / 100, width / 2, width);
    EXPECT_GT(right, left * 1.05);
}

TEST_F(BackdropPicture, GeneratorGivesTheSameBytesEveryTime) {
    testsupport::TempDir dir;
    std::string generator =
        envOrEmpty("QUELMARINE_BINARY_DIR") + "/tools/assetgen/quelmarine_assetgen";
    std::string again = dir.file("again.bmp");
    ASSERT_EQ(std::system(("'" + generator + "' backdrop '" + again + "'").c_str()), 0);
    EXPECT_TRUE(testsupport::readFile(again) == bytes);
}

} // namespace
