// Frame 300 of the full scene (25 fish, 3 x 110 bubbles, 20 food creatures), drawn off-screen,
// against the picture kept in tests/data/frame300.ppm.gz: how the frame is drawn may change,
// what it shows may not. To keep a new picture (only when what the tank shows is meant to
// change), run the test with QUELMARINE_KEEP_FRAME300=<path>.

#include "support/OffscreenGl.h"
#include "support/SceneStart.h"
#include "tank/ProcessState.h"
#include "tank/scene/Scene.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace quelmarine;

namespace {

constexpr int kScreenWidth = 1280, kScreenHeight = 1024;
constexpr int kWidth = 640, kHeight = 512;
constexpr int kFrames = 300;

using Picture = std::vector<unsigned char>; // RGB rows, top row first

bool writePicture(const std::string& path, const Picture& rgb) {
    gzFile out = gzopen(path.c_str(), "wb9");
    if (!out)
        return false;
    const std::string header =
        "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
    const bool ok = gzwrite(out, header.data(), unsigned(header.size())) == int(header.size()) &&
                    gzwrite(out, rgb.data(), unsigned(rgb.size())) == int(rgb.size());
    return gzclose(out) == Z_OK && ok;
}

Picture readPicture(const std::string& path) {
    Picture rgb;
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in)
        return rgb;
    char header[32] = {};
    const std::string expected =
        "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
    if (gzread(in, header, unsigned(expected.size())) == int(expected.size()) &&
        expected == header) {
        rgb.resize(std::size_t(kWidth) * kHeight * 3);
        if (gzread(in, rgb.data(), unsigned(rgb.size())) != int(rgb.size()))
            rgb.clear();
    }
    gzclose(in);
    return rgb;
}

Picture renderFrame300() {
    testsupport::writeSettingsFile(testsupport::kFullTankSettings);
    std::srand(1); // the start of the sequence, as in a new process
    testsupport::OffscreenGl gl(kWidth, kHeight);
    if (!gl.ok())
        return {};
    Scene scene;
    testsupport::startScene(scene, kScreenWidth, kScreenHeight);
    for (int frame = 0; frame < kFrames; ++frame)
        scene.RenderFrame(kWidth, kHeight);
    Picture bottomUp(std::size_t(kWidth) * kHeight * 3), rgb(bottomUp.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    const std::size_t row = std::size_t(kWidth) * 3;
    for (int y = 0; y < kHeight; ++y)
        std::copy_n(&bottomUp[std::size_t(kHeight - 1 - y) * row], row, &rgb[std::size_t(y) * row]);
    return rgb;
}

TEST(FramePicture, Frame300OfTheFullSceneLooksAsKept) {
    const Picture frame = renderFrame300();
    ASSERT_FALSE(frame.empty()) << "no offscreen OpenGL context";
    if (const char* keep = std::getenv("QUELMARINE_KEEP_FRAME300")) {
        ASSERT_TRUE(writePicture(keep, frame));
    }
    const Picture kept = readPicture(std::string(std::getenv("QUELMARINE_SOURCE_DIR")) +
                                     "/tests/data/frame300.ppm.gz");
    ASSERT_EQ(kept.size(), frame.size()) << "the kept picture is missing or of another size";
    double sum = 0;
    for (std::size_t i = 0; i < frame.size(); ++i)
        sum += std::abs(int(frame[i]) - int(kept[i]));
    const double meanDifference = sum / double(frame.size()) / 255.0;
    EXPECT_LT(meanDifference, 0.005)
        << "mean absolute difference " << meanDifference * 100 << "% of full scale";
    std::printf("frame 300 differs from the kept picture by %.4f%% of full scale\n",
                meanDifference * 100);
}

} // namespace
