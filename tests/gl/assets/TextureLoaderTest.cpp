#include "tank/assets/TextureLoader.h"
#include "support/BmpBuilder.h"
#include "support/OffscreenGl.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quelmarine;
using testsupport::asString;
using testsupport::Bgr;
using testsupport::makeBmp;

namespace {

class TextureLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context"; }

    std::string picture(int w, int h, int bits, std::function<Bgr(int, int)> pixel,
                        std::vector<Bgr> palette = {}) {
        const std::string path = dir.file("p" + std::to_string(++count) + ".bmp");
        testsupport::writeFile(path, asString(makeBmp(w, h, bits, pixel, palette)));
        return path;
    }
    static GLint level0(GLenum what) {
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &value);
        return value;
    }

    testsupport::OffscreenGl gl{64, 64};
    testsupport::TempDir dir;
    int count = 0;
};

Bgr plainColour(int, int) {
    return {40, 80, 120};
}

} // namespace

TEST_F(TextureLoaderTest, PlainLoaderSizesTexturesToPowersOfTwoUpTo512) {
    struct Case {
        int w, h, expectW, expectH;
    };
    for (Case c : {Case{64, 64, 64, 64}, Case{100, 60, 128, 64}, Case{1024, 512, 512, 512},
                   Case{1, 1, 2, 2}, Case{3, 5, 4, 8}}) {
        GLuint texture = 0;
        loadTexture(picture(c.w, c.h, 24, plainColour), texture);
        EXPECT_NE(texture, 0u);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(GLuint(bound), texture);
        EXPECT_EQ(level0(GL_TEXTURE_WIDTH), c.expectW) << c.w << "x" << c.h;
        EXPECT_EQ(level0(GL_TEXTURE_HEIGHT), c.expectH) << c.w << "x" << c.h;
    }
}

TEST_F(TextureLoaderTest, PlainLoaderKeepsTheColoursOfEveryDepth) {
    std::vector<Bgr> palette(256, Bgr{0, 0, 0});
    palette[3] = {40, 80, 120};
    const std::string paths[] = {picture(64, 64, 24, plainColour), picture(64, 64, 32, plainColour),
                                 picture(30, 20, 24, plainColour), // resampled
                                 picture(
                                     64, 64, 8,
                                     [](int, int) {
                                         return Bgr{3, 0, 0};
                                     },
                                     palette)};
    for (const std::string& path : paths) {
        GLuint texture = 0;
        loadTexture(path, texture);
        std::vector<std::uint8_t> texels(std::size_t(level0(GL_TEXTURE_WIDTH)) *
                                         level0(GL_TEXTURE_HEIGHT) * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        ASSERT_FALSE(texels.empty());
        const std::size_t middle = texels.size() / 2;
        EXPECT_NEAR(texels[middle], 120, 2) << path; // red
        EXPECT_NEAR(texels[middle + 1], 80, 2) << path;
        EXPECT_NEAR(texels[middle + 2], 40, 2) << path;
    }
}

TEST_F(TextureLoaderTest, UnreadablePicturesGiveANameWithoutAnImage) {
    testsupport::writeFile(dir.file("bad.bmp"), "XM this is no picture at all, but long enough");
    for (const std::string& path : {dir.file("missing.bmp"), dir.file("bad.bmp")}) {
        GLuint texture = 0;
        loadTexture(path, texture);
        EXPECT_NE(texture, 0u);
        EXPECT_EQ(level0(GL_TEXTURE_WIDTH), 0);
        GLuint mipmapped = 0;
        loadMipmappedTexture(path, mipmapped);
        EXPECT_NE(mipmapped, 0u);
        EXPECT_EQ(level0(GL_TEXTURE_WIDTH), 0);
    }
}

TEST_F(TextureLoaderTest, MipmappedLoaderMakesBlackTransparent) {
    // Left half pure black, right half (0, 0, 1): only the first is transparent.
    GLuint texture = 0;
    loadMipmappedTexture(picture(8, 4, 24,
                                 [](int x, int) {
                                     return x < 4 ? Bgr{0, 0, 0} : Bgr{0, 0, 1};
                                 }),
                         texture);
    ASSERT_EQ(level0(GL_TEXTURE_WIDTH), 8);
    std::vector<std::uint8_t> texels(8 * 4 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels[3], 0);           // (0, 0): black
    EXPECT_EQ(texels[7 * 4 + 3], 255); // (7, 0): red 1
    EXPECT_EQ(texels[7 * 4 + 0], 1);
    GLint wrap = 0, minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(wrap, GL_REPEAT);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(smallest, 1); // the chain goes down to 1 x 1
}
