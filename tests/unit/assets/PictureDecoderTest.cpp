// Decoding the user's pictures: JPEG (baseline, progressive, grey), PNG and BMP; shrinking to
// the longest side; refusing what is not a regular file, too large, unknown or broken without
// blocking or crashing; and the texture levels made from a picture.
#include "tank/assets/PictureDecoder.h"
#include "support/BmpBuilder.h"
#include "support/TempDir.h"
#include "tank/assets/PictureTexture.h"

#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <jpeglib.h>
#include <png.h>

namespace quelmarine {
namespace {

using testsupport::TempDir;
using testsupport::writeFile;

// Left half red, right half blue, a white top row band: orientation shows in every format.
void colourAt(int x, int y, int width, std::uint8_t rgb[3]) {
    const bool top = y < 4, left = x < width / 2;
    rgb[0] = top ? 255 : left ? 220 : 20;
    rgb[1] = top ? 255 : 20;
    rgb[2] = top ? 255 : left ? 20 : 220;
}

std::vector<std::uint8_t> makeJpeg(int width, int height, bool progressive, bool grey) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row(std::size_t(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            colourAt(x, int(info.next_scanline), width, &row[std::size_t(x) * 3]);
            if (grey)
                row[std::size_t(x)] = row[std::size_t(x) * 3];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

std::vector<std::uint8_t> makePng(int width, int height) {
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgba[(std::size_t(y) * width + x) * 4];
            colourAt(x, y, width, p);
            p[3] = 200;
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<std::uint8_t> bytes(size);
    png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr);
    bytes.resize(size);
    return bytes;
}

std::vector<std::uint8_t> makeBmp24(int width, int height) {
    return testsupport::makeBmp(width, height, 24, [&](int x, int yFromBottom) {
        std::uint8_t rgb[3];
        colourAt(x, height - 1 - yFromBottom, width, rgb);
        return testsupport::Bgr{rgb[2], rgb[1], rgb[0]};
    });
}

const std::uint8_t* pixel(const DecodedPicture& p, int x, int y) {
    return &p.rgba[(std::size_t(y) * p.width + x) * 4];
}

TEST(PictureDecoder, DecodesEveryFormatTheRightWayUp) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool grey;
        int alpha;
    };
    const Case cases[] = {
        {"baseline JPEG", makeJpeg(64, 40, false, false), false, 255},
        {"progressive JPEG", makeJpeg(64, 40, true, false), false, 255},
        {"grey JPEG", makeJpeg(64, 40, false, true), true, 255},
        {"PNG", makePng(64, 40), false, 200},
        {"BMP", makeBmp24(64, 40), false, 255},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.file("picture"), std::string(c.bytes.begin(), c.bytes.end()));
        DecodedPicture picture;
        ASSERT_EQ(decodePicture(dir.file("picture"), picture), PictureError::None);
        ASSERT_EQ(picture.width, 64);
        ASSERT_EQ(picture.height, 40);
        ASSERT_EQ(picture.rgba.size(), 64u * 40 * 4);
        const std::uint8_t* top = pixel(picture, 30, 1);
        const std::uint8_t* left = pixel(picture, 8, 30);
        const std::uint8_t* right = pixel(picture, 56, 30);
        EXPECT_GT(top[1], 235) << "the white band is at the top";
        if (c.grey) {
            EXPECT_GT(left[0], right[0] + 150);
        } else {
            EXPECT_GT(left[0], 190);
            EXPECT_LT(left[2], 60);
            EXPECT_GT(right[2], 190);
            EXPECT_LT(right[0], 60);
        }
        EXPECT_EQ(left[3], c.alpha);
    }
}

TEST(PictureDecoder, ShrinksToTheLongestSide) {
    PictureLimits limits;
    limits.longestSide = 100;
    struct Case {
        std::vector<std::uint8_t> bytes;
        int width, height;
    };
    // The large JPEG is scaled down by the decoder itself before the averaging.
    const Case cases[] = {{makeJpeg(1000, 600, true, false), 100, 60},
                          {makePng(150, 300), 50, 100},
                          {makeBmp24(40, 30), 40, 30}};
    for (const Case& c : cases) {
        DecodedPicture picture;
        ASSERT_EQ(decodePictureBytes(c.bytes, picture, limits), PictureError::None);
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, c.height);
        // The averaged picture keeps its halves.
        EXPECT_GT(pixel(picture, picture.width / 8, picture.height * 3 / 4)[0], 180);
        EXPECT_GT(pixel(picture, picture.width * 7 / 8, picture.height * 3 / 4)[2], 180);
    }
}

TEST(PictureDecoder, RefusesWhatItCannotShowSafely) {
    TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    DecodedPicture picture;
    EXPECT_EQ(decodePicture(dir.file("pipe"), picture), PictureError::NotARegularFile);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
        << "a pipe must never be opened and waited on";
    EXPECT_EQ(decodePicture(dir.path(), picture), PictureError::NotARegularFile);
    EXPECT_EQ(decodePicture(dir.file("missing.jpg"), picture), PictureError::NotARegularFile);

    const auto jpeg = makeJpeg(64, 40, true, false);
    const auto png = makePng(64, 40);
    const auto bmp = makeBmp24(64, 40);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        PictureError expected;
        PictureLimits limits;
    };
    PictureLimits fewPixels, smallFiles;
    fewPixels.largestSourcePixels = 1000;
    smallFiles.largestFile = 100;
    const Case cases[] = {
        // A JPEG cut in its data shows what is there; cut in its headers it is refused.
        {"JPEG headers cut", {jpeg.begin(), jpeg.begin() + 60}, PictureError::Corrupt, {}},
        {"truncated PNG", {png.begin(), png.begin() + 60}, PictureError::Corrupt, {}},
        {"BMP header only", {bmp.begin(), bmp.begin() + 54}, PictureError::Corrupt, {}},
        {"text", {'h', 'e', 'l', 'l', 'o'}, PictureError::UnknownFormat, {}},
        {"empty", {}, PictureError::UnknownFormat, {}},
        {"JPEG over the pixel bound", jpeg, PictureError::TooLarge, fewPixels},
        {"PNG over the pixel bound", png, PictureError::TooLarge, fewPixels},
        {"file over the size bound", png, PictureError::TooLarge, smallFiles},
    };
    for (const Case& c : cases) {
        writeFile(dir.file("bad"), std::string(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(decodePicture(dir.file("bad"), picture, c.limits), c.expected) << c.name;
        EXPECT_TRUE(picture.rgba.empty()) << c.name;
    }
}

// BMP files as paint programs write them: each variant holds a 5 x 3 picture of up to four
// colours (as many as its depth allows), numbered (x + 2y) mod colours.
struct BmpVariant {
    const char* name;
    int bits;
    std::uint32_t header; // info header size
    bool topDown, masks;
    std::uint8_t alpha; // with masks: 0 for none, else every pixel's alpha
};

std::vector<std::uint8_t> makeUserBmp(const BmpVariant& v, int w, int h) {
    static const std::uint8_t rgb[4][3] = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}};
    const int colours = v.bits < 16 ? std::min(4, 1 << v.bits) : 4;
    auto put16 = [](std::vector<std::uint8_t>& b, std::uint32_t x) {
        b.push_back(std::uint8_t(x));
        b.push_back(std::uint8_t(x >> 8));
    };
    auto put32 = [&](std::vector<std::uint8_t>& b, std::uint32_t x) {
        put16(b, x & 0xFFFF);
        put16(b, x >> 16);
    };
    std::vector<std::uint8_t> info, extra, pixels;
    put32(info, v.header);
    put32(info, std::uint32_t(w));
    put32(info, std::uint32_t(v.topDown ? -h : h));
    put16(info, 1);
    put16(info, std::uint32_t(v.bits));
    put32(info, v.masks ? 3 : 0);
    for (int i = 0; i < 2; ++i)
        put32(info, 0);
    put32(info, 0);
    put32(info, v.bits < 16 ? std::uint32_t(colours) : 0);
    put32(info, 0);
    const std::uint32_t masks[4] = {v.bits == 16 ? 0xF800u : 0xFF0000u,
                                    v.bits == 16 ? 0x07E0u : 0xFF00u,
                                    v.bits == 16 ? 0x001Fu : 0xFFu, v.alpha ? 0xFF000000u : 0u};
    std::vector<std::uint8_t>& maskPlace = v.header == 40 ? extra : info;
    if (v.masks || v.header > 40)
        for (std::uint32_t m : masks)
            put32(maskPlace, m);
    if (v.header == 40 && v.masks)
        extra.resize(12); // three masks after a plain header
    info.resize(v.header, 0);
    if (v.bits < 16)
        for (int c = 0; c < colours; ++c)
            extra.insert(extra.end(), {rgb[c][2], rgb[c][1], rgb[c][0], 0});
    const std::size_t stride = (std::size_t(w) * v.bits + 31) / 32 * 4;
    for (int row = 0; row < h; ++row) {
        const int y = v.topDown ? row : h - 1 - row;
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < w; ++x) {
            const int c = (x + 2 * y) % colours;
            const std::uint8_t* p = rgb[c];
            if (v.bits < 16) {
                const int bit = x * v.bits;
                line[std::size_t(bit / 8)] |= std::uint8_t(c << (8 - v.bits - bit % 8));
            } else if (v.bits == 16) {
                const std::uint32_t packed = (p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3;
                line[std::size_t(x) * 2] = std::uint8_t(packed);
                line[std::size_t(x) * 2 + 1] = std::uint8_t(packed >> 8);
            } else {
                std::uint8_t* out = &line[std::size_t(x) * std::size_t(v.bits / 8)];
                out[0] = p[2], out[1] = p[1], out[2] = p[0];
                if (v.bits == 32)
                    out[3] = v.alpha;
            }
        }
        pixels.insert(pixels.end(), line.begin(), line.end());
    }
    std::vector<std::uint8_t> file = {'B', 'M'};
    const std::uint32_t offset = std::uint32_t(14 + info.size() + extra.size());
    put32(file, offset + std::uint32_t(pixels.size()));
    put32(file, 0);
    put32(file, offset);
    for (const auto* part : {&info, &extra, &pixels})
        file.insert(file.end(), part->begin(), part->end());
    return file;
}

TEST(PictureDecoder, ReadsTheBmpVariantsPaintProgramsWrite) {
    const BmpVariant variants[] = {
        {"1 bit", 1, 40, false, false, 0},
        {"4 bits", 4, 40, false, false, 0},
        {"8 bits, rows from the top", 8, 40, true, false, 0},
        {"16 bits, 5-6-5 masks after the header", 16, 40, false, true, 0},
        {"24 bits, version 4 header", 24, 108, false, false, 0},
        {"32 bits, version 5 header with alpha", 32, 124, false, true, 128},
        {"32 bits, plain", 32, 40, false, false, 0},
    };
    static const std::uint8_t rgb[4][3] = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}};
    for (const BmpVariant& v : variants) {
        SCOPED_TRACE(v.name);
        DecodedPicture picture;
        ASSERT_EQ(decodePictureBytes(makeUserBmp(v, 5, 3), picture), PictureError::None);
        ASSERT_EQ(picture.width, 5);
        ASSERT_EQ(picture.height, 3);
        EXPECT_EQ(picture.alpha, v.alpha != 0);
        const int colours = v.bits < 16 ? std::min(4, 1 << v.bits) : 4;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const std::uint8_t* p = pixel(picture, x, y);
                const std::uint8_t* want = rgb[(x + 2 * y) % colours];
                ASSERT_EQ(std::vector<int>(p, p + 4),
                          (std::vector<int>{want[0], want[1], want[2], v.alpha ? v.alpha : 255}))
                    << x << "," << y;
            }
    }
}

TEST(PictureTexture, FittedToNearestPowersOfTwoAndMirroredForTheBackdrop) {
    struct Case {
        int width, height, screen, fittedWidth, fittedHeight;
    };
    const Case cases[] = {
        {300, 200, 128, 128, 64},       // fitted to 128 x 85: 85 is nearer 64 than 128
        {1600, 1200, 2560, 2048, 1024}, // 1600 is nearer 2048; 1200 nearer 1024
        {1600, 1200, 1280, 1024, 1024}, // fitted to 1280 x 960
        {40, 30, 1920, 32, 32},         {9000, 10, 20000, 4096, 4}, // never beyond 4096
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        DecodedPicture picture;
        PictureLimits limits;
        limits.longestSide = 10000;
        ASSERT_EQ(decodePictureBytes(makePng(c.width, c.height), picture, limits),
                  PictureError::None);
        fitPictureToTexture(picture, c.screen);
        ASSERT_EQ(picture.width, c.fittedWidth);
        ASSERT_EQ(picture.height, c.fittedHeight);
        ASSERT_EQ(picture.rgba.size(), std::size_t(c.fittedWidth) * c.fittedHeight * 4);
        if (c.height < 20)
            continue;
        // Each row runs right to left; the top stays the top.
        const int w = picture.width, h = picture.height;
        EXPECT_GT(pixel(picture, w - 1 - w / 8, h * 3 / 4)[0], 180) << "red now on the right";
        EXPECT_GT(pixel(picture, w / 8, h * 3 / 4)[2], 180) << "blue now on the left";
        EXPECT_GT(pixel(picture, w / 2, 0)[1], 200) << "white still at the top";
        EXPECT_EQ(pixel(picture, w / 2, h / 2)[3], 200) << "alpha kept";
    }
    EXPECT_EQ(nearestPowerOfTwo(1000, 2048), 1024);
    EXPECT_EQ(nearestPowerOfTwo(1500, 2048), 2048);
    EXPECT_EQ(nearestPowerOfTwo(1500, 1500), 1024);
    EXPECT_EQ(nearestPowerOfTwo(0, 2048), 1);
}

// Cameras store pictures as the sensor saw them and name the turn in an EXIF tag.
TEST(PictureDecoder, EveryExifOrientationTurnsThePictureUpright) {
    // A 3 x 2 picture whose pixels are numbered 1 ... 6 by rows; each case is what a viewer
    // shows for the stored numbers, rows from the top.
    struct Case {
        int orientation, width, height;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {1, 3, 2, {1, 2, 3, 4, 5, 6}}, {2, 3, 2, {3, 2, 1, 6, 5, 4}},
        {3, 3, 2, {6, 5, 4, 3, 2, 1}}, {4, 3, 2, {4, 5, 6, 1, 2, 3}},
        {5, 2, 3, {1, 4, 2, 5, 3, 6}}, {6, 2, 3, {4, 1, 5, 2, 6, 3}},
        {7, 2, 3, {6, 3, 5, 2, 4, 1}}, {8, 2, 3, {3, 6, 2, 5, 1, 4}},
        {9, 3, 2, {1, 2, 3, 4, 5, 6}}, // not an orientation: left alone
    };
    for (const Case& c : cases) {
        DecodedPicture picture;
        picture.width = 3;
        picture.height = 2;
        for (int n = 1; n <= 6; ++n)
            picture.rgba.insert(picture.rgba.end(), {std::uint8_t(n), 0, 0, 255});
        applyOrientation(picture, c.orientation);
        ASSERT_EQ(picture.width, c.width) << c.orientation;
        ASSERT_EQ(picture.height, c.height) << c.orientation;
        std::vector<int> shown;
        for (std::size_t i = 0; i < picture.rgba.size(); i += 4)
            shown.push_back(picture.rgba[i]);
        EXPECT_EQ(shown, c.shown) << c.orientation;
    }
}

} // namespace
} // namespace quelmarine
