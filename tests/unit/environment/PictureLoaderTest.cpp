// The picture reader keeps at most one read picture in memory: the next file is read only once
// the last picture has been handed to its texture, and the pictures arrive in the order asked.
#include "tank/environment/PictureLoader.h"
#include "support/BmpBuilder.h"
#include "support/TempDir.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace quelmarine {
namespace {

TEST(PictureLoader, ReadsTheNextPictureOnlyAfterTheLastOneIsUploaded) {
    testsupport::TempDir dir;
    constexpr int kPictures = 4;
    const auto bmp = testsupport::makeBmp(64, 32, 24, [](int x, int) {
        return testsupport::Bgr{std::uint8_t(x * 4), 40, 200};
    });
    std::mutex lock;
    std::condition_variable changed;
    int reads = 0;
    std::vector<int> uploaded;
    // No context: the pictures are read and handed on, with no texture made.
    PictureLoader loader([] { return false; }, 1920);
    loader.pictureRead = [&] {
        std::lock_guard<std::mutex> hold(lock);
        ++reads;
        changed.notify_all();
    };
    for (int i = 0; i < kPictures; ++i) {
        const std::string path = dir.file("picture" + std::to_string(i) + ".bmp");
        testsupport::writeFile(path, testsupport::asString(bmp));
        loader.load(path, [&uploaded, i](std::int32_t texture) {
            EXPECT_EQ(texture, 0);
            uploaded.push_back(i);
        });
    }
    for (int i = 0; i < kPictures; ++i) {
        std::unique_lock<std::mutex> hold(lock);
        ASSERT_TRUE(changed.wait_for(hold, std::chrono::seconds(20), [&] { return reads > i; }))
            << "picture " << i << " was never read";
        // Reading a small picture takes microseconds: a reader that reads ahead has done so
        // well within this time.
        changed.wait_for(hold, std::chrono::milliseconds(200), [&] { return reads > i + 1; });
        EXPECT_EQ(reads, i + 1) << "a picture was read before the one before it was uploaded";
        hold.unlock();
        EXPECT_FALSE(loader.uploadNext()) << "no second picture may be waiting";
    }
    EXPECT_EQ(uploaded, (std::vector<int>{0, 1, 2, 3}));
}

} // namespace
} // namespace quelmarine
