// The user's pictures from file to backdrop: real files of the kinds cameras and editors write
// (made here with Qt's writers), read the way both programs do, refused when they could hang or
// exhaust it, and shown by the real scene as the backdrop, the right way up and the right way
// round.

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTest>
#include <QThread>

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "desktop/pictures/PictureTextureMaker.h"
#include "support/OffscreenGl.h"
#include "support/SceneStart.h"
#include "support/TempDir.h"
#include "tank/ProcessState.h"
#include "tank/assets/PictureTexture.h"
#include "tank/environment/BackgroundPictures.h"
#include "tank/scene/Scene.h"

namespace quelmarine {
namespace {

// Left half red, right half blue, top strip white: shows both orientation and mirroring.
QImage halves(int w, int h, QImage::Format format = QImage::Format_RGB32) {
    QImage image(w, h, format);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h, QColor(230, 20, 20));
    p.fillRect(w / 2, 0, w - w / 2, h, QColor(20, 20, 230));
    p.fillRect(0, 0, w, h / 5, Qt::white);
    return image;
}

bool save(const QImage& image, const std::string& path, const char* format, int quality = 90,
          bool progressive = false) {
    QImageWriter writer(QString::fromStdString(path), format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

// A JPEG with an EXIF block holding only the orientation tag, as cameras write it (6: the
// stored picture must be turned 90 degrees clockwise).
std::string withExifOrientation(const std::string& jpeg, int orientation) {
    const std::string tiff = std::string("MM\0\x2a\0\0\0\x08", 8) + std::string("\0\x01", 2) +
                             std::string("\x01\x12\0\x03\0\0\0\x01\0", 9) + char(orientation) +
                             std::string("\0\0", 2) + std::string("\0\0\0\0", 4);
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const std::size_t length = body.size() + 2;
    const std::string app1 =
        std::string("\xff\xe1", 2) + char(length >> 8) + char(length & 255) + body;
    return jpeg.substr(0, 2) + app1 + jpeg.substr(2);
}

// The colour of a decoded pixel, given in picture coordinates (the decoded rows are mirrored).
QColor at(const DecodedPicture& d, double fx, double fy) {
    const int x = d.width - 1 - int(fx * (d.width - 1)), y = int(fy * (d.height - 1));
    const unsigned char* p = &d.rgba[(std::size_t(y) * d.width + x) * 4];
    return QColor(p[0], p[1], p[2]);
}

bool near(QColor a, QColor b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= std::uint8_t(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A valid black-and-white PNG of w x h pixels, written without holding its pixels in memory.
void writeHugePng(const std::string& path, int w, int h) {
    auto be32 = [](std::uint32_t v) {
        QByteArray b(4, 0);
        for (int i = 0; i < 4; ++i)
            b[i] = char(v >> (24 - 8 * i));
        return b;
    };
    auto chunk = [&](const char* type, const QByteArray& data) {
        const QByteArray body = QByteArray(type) + data;
        return be32(std::uint32_t(data.size())) + body + be32(crc32(body));
    };
    QByteArray header = be32(std::uint32_t(w)) + be32(std::uint32_t(h));
    header += QByteArray("\x01\x00\x00\x00\x00", 5); // 1 bit, grey, no interlace
    const QByteArray raw(qsizetype(h) * (1 + (w + 7) / 8), 0);
    const QByteArray zlib = qCompress(raw, 9).mid(4); // qCompress puts a length first
    testsupport::writeFile(path, (QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) +
                                  chunk("IDAT", zlib) + chunk("IEND", {}))
                                     .toStdString());
}

class UserPictureTest : public ::testing::Test {
  protected:
    std::string file(const char* name) const { return dir.file(name); }
    testsupport::TempDir dir;
};

TEST_F(UserPictureTest, CameraAndEditorFilesDecodeUprightBoundedAndMirroredForTheSurface) {
    // A progressive JPEG, a 16-bit PNG with alpha, an 8-bit BMP, and a JPEG stored on its side
    // with an EXIF orientation that turns it upright.
    ASSERT_TRUE(save(halves(300, 200), file("progressive.jpg"), "jpeg", 90, true));
    ASSERT_TRUE(save(halves(300, 200, QImage::Format_RGBA64), file("deep.png"), "png"));
    ASSERT_TRUE(
        save(halves(300, 200).convertToFormat(QImage::Format_Indexed8), file("eight.bmp"), "bmp"));
    QImage sideways = halves(300, 200).transformed(QTransform().rotate(-90));
    ASSERT_TRUE(save(sideways, file("sideways.jpg"), "jpeg"));
    testsupport::writeFile(file("IMG_0001.JPG"),
                           withExifOrientation(testsupport::readFile(file("sideways.jpg")), 6));
    {
        QImageReader check(QString::fromStdString(file("deep.png")));
        ASSERT_EQ(check.imageFormat(), QImage::Format_RGBA64) << "the PNG must be 16-bit";
        QImageReader turned(QString::fromStdString(file("IMG_0001.JPG")));
        ASSERT_EQ(turned.transformation(), QImageIOHandler::TransformationRotate90);
    }
    for (const char* name : {"progressive.jpg", "deep.png", "eight.bmp", "IMG_0001.JPG"}) {
        SCOPED_TRACE(name);
        const DecodedPicture d = loadUserPicture(file(name), 1280);
        ASSERT_TRUE(d.ok());
        EXPECT_EQ(d.width, 256) << "300 is nearest to 256";
        EXPECT_EQ(d.height, 256) << "200 is nearest to 256";
        EXPECT_EQ(d.rgba.size(), std::size_t(d.width) * d.height * 4);
        EXPECT_TRUE(near(at(d, 0.25, 0.6), QColor(230, 20, 20))) << "red on the left";
        EXPECT_TRUE(near(at(d, 0.75, 0.6), QColor(20, 20, 230))) << "blue on the right";
        EXPECT_TRUE(near(at(d, 0.5, 0.05), Qt::white)) << "white at the top";
    }
    EXPECT_TRUE(loadUserPicture(file("deep.png"), 1280).alpha);
    EXPECT_FALSE(loadUserPicture(file("progressive.jpg"), 1280).alpha);

    // A 12-megapixel photo: decoded no larger than the screen needs.
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 255, (y * 3) & 255, (x ^ y) & 255);
    }
    ASSERT_TRUE(save(photo, file("photo.jpg"), "jpeg", 85));
    const DecodedPicture big = loadUserPicture(file("photo.jpg"), 1280);
    ASSERT_TRUE(big.ok());
    EXPECT_EQ(big.width, 1024);
    EXPECT_EQ(big.height, 1024) << "4000 x 3000 scales to 1280 x 960, nearest 1024 x 1024";
    const DecodedPicture wide = loadUserPicture(file("photo.jpg"), 20000);
    EXPECT_EQ(wide.width, 4096) << "never beyond 4096";
}

TEST_F(UserPictureTest, FilesThatCouldHangOrExhaustTheTankAreRefusedQuickly) {
    writeHugePng(file("huge.png"), 20000, 20000);
    ASSERT_EQ(QImageReader(QString::fromStdString(file("huge.png"))).size(), QSize(20000, 20000));
    ASSERT_EQ(::mkfifo(file("fifo.jpg").c_str(), 0600), 0);
    testsupport::writeFile(file("text.png"), "not a picture at all");
    ::mkdir(file("folder.png").c_str(), 0700);
    for (std::string path : {file("huge.png"), file("fifo.jpg"), std::string("/dev/zero"),
                             file("folder.png"), file("text.png"), file("missing.jpg")}) {
        SCOPED_TRACE(path);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(loadUserPicture(path, 1280).ok());
        EXPECT_LT(clock.elapsed(), 1000);
    }
}

// The program's maker: pictures are read off the user-interface thread, their textures made and
// handed over on it in the order asked, and nothing process-wide of Qt's is touched on the way
// (an image reader's allocation limit set from a worker thread would race with the interface's
// own picture loading).
TEST_F(UserPictureTest, TheProgramsMakerReadsOffTheInterfaceThreadAndHandsOverInOrder) {
    testsupport::OffscreenGl gl(64, 64);
    ASSERT_TRUE(gl.ok());
    ASSERT_TRUE(save(halves(300, 200), file("a.png"), "png"));
    ASSERT_TRUE(save(halves(200, 300), file("b.jpg"), "jpeg"));
    testsupport::writeFile(file("broken.png"), "not a picture");
    const int limitBefore = QImageReader::allocationLimit();
    std::vector<std::int32_t> made;
    {
        PictureTextureMaker maker([&] { return gl.makeCurrent(); }, 1280);
        for (const char* name : {"a.png", "broken.png", "b.jpg"})
            maker.load(file(name), [&](std::int32_t texture) {
                EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
                made.push_back(texture);
            });
        ASSERT_TRUE(QTest::qWaitFor([&] { return made.size() == 3; }, 10000));
        // One more, then the maker goes before it is read: nothing is handed over late.
        maker.load(file("a.png"), [&](std::int32_t texture) { made.push_back(texture); });
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(made.size(), 3u);
    EXPECT_GT(made[0], 0);
    EXPECT_EQ(made[1], 0) << "a file that is no picture makes no texture";
    EXPECT_GT(made[2], 0);
    EXPECT_TRUE(glIsTexture(GLuint(made[2])));
    EXPECT_EQ(QImageReader::allocationLimit(), limitBefore);
}

TEST_F(UserPictureTest, SceneShowsTheUploadedPictureAsTheBackdrop) {
    constexpr int kW = 640, kH = 512;
    testsupport::OffscreenGl gl(kW, kH);
    ASSERT_TRUE(gl.ok());
    const AquariumSettingsRecord saved = AquariumSettings;
    Scene scene;
    testsupport::startScene(scene, kW, kH);
    for (auto& count : AquariumSettings.fishCount)
        count = 0;
    for (FoodItem& item : scene.food)
        item.active = false;
    scene.overlayVisible = false;

    ASSERT_TRUE(save(halves(512, 512), file("backdrop.png"), "png"));
    const std::int32_t texture = uploadPictureTexture(loadUserPicture(file("backdrop.png"), kW));
    ASSERT_GT(texture, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    auto pixel = [&](double fx, double fy) { // fy from the top of the frame
        unsigned char p[3];
        glReadPixels(int(fx * kW), int((1 - fy) * kH), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
        return QColor(p[0], p[1], p[2]);
    };
    scene.RenderFrame(kW, kH); // the first frame is fogged
    customImageActive = true;
    scene.RenderFrame(kW, kH, shownUserBackdrop(texture));
    const QColor left = pixel(0.2, 0.6), right = pixel(0.8, 0.6);
    EXPECT_GT(left.red(), 2 * left.blue()) << "the picture's left half shows on the left";
    EXPECT_GT(right.blue(), 2 * right.red());
    // With the switch off, or no texture, the built-in backdrop is back.
    customImageActive = false;
    scene.RenderFrame(kW, kH, shownUserBackdrop(texture));
    EXPECT_FALSE(near(pixel(0.2, 0.6), left, 10));
    customImageActive = true;
    scene.RenderFrame(kW, kH, shownUserBackdrop(0));
    EXPECT_FALSE(near(pixel(0.2, 0.6), left, 10));
    customImageActive = false;
    AquariumSettings = saved;
}

} // namespace
} // namespace quelmarine
