// The picture list as the screensaver runs it: loaded from a settings text it never writes, and
// driven by a steady clock instead of a timer, with the same rule as the program's dialog.
#include "tank/ProcessState.h"
#include "tank/environment/BackgroundPictures.h"
#include "tank/settings/SettingsFile.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace quelmarine {
namespace {

using namespace std::chrono_literals;
using Clock = BackgroundPictures::Clock;

// "/p/N.png" becomes texture 100 + N at once; "bad" pictures fail.
struct InstantTextures : PictureTextures {
    void load(const std::string& path, std::function<void(std::int32_t)> done) override {
        done(path.find("bad") != std::string::npos ? 0 : 100 + std::atoi(path.c_str() + 3));
    }
    void release(std::int32_t) override {}
};

IniDocument section(const std::string& text) {
    return IniDocument("[Custom Images]\n" + text);
}

TEST(BackgroundClock, TicksFollowTheClockWithoutBurstsAfterAStall) {
    InstantTextures textures;
    BackgroundPictures list{textures};
    list.loadSection(section("CycImage=1\nOwnImage=1\nImageTime=1\nImageSum=3\n"
                             "ImageList0=/p/0.png\nImageList1=/p/1.png\nImageList2=/p/2.png\n"));
    ASSERT_TRUE(list.isCycling());
    // Frames every 10 ms for 3 s: the first switch at once, then one a second.
    std::vector<std::int32_t> switches;
    const Clock::time_point start{};
    for (int ms = 0; ms <= 3000; ms += 10) {
        const std::int32_t before = list.currentTexture;
        list.advance(start + std::chrono::milliseconds(ms));
        if (list.currentTexture != before)
            switches.push_back(ms);
    }
    EXPECT_EQ(switches, (std::vector<std::int32_t>{0, 1000, 2000, 3000}));
    // A frame that comes 20 s late runs a few ticks, not a hundred: no burst of switches.
    ASSERT_EQ(list.tickCounter, 0);
    const std::int32_t before = list.currentTexture;
    list.advance(start + 23s);
    EXPECT_EQ(list.tickCounter, 3);
    EXPECT_EQ(list.currentTexture, before);
    // A timer that fires a few milliseconds early still gets its tick.
    list.advance(start + 23s + 197ms);
    EXPECT_EQ(list.tickCounter, 4);
}

TEST(BackgroundClock, TheSaverReadsTheSectionAsTheDialogDoesAndNeverWritesIt) {
    struct Case {
        const char *random, *cyc, *repeat;
        PlayMode mode;
    };
    const Case modes[] = {
        {"0", "0", "0", kRepeatOne}, {"1", "0", "0", kRandom},    {"0", "1", "0", kRepeatAll},
        {"1", "1", "0", kRepeatAll}, {"1", "1", "1", kRepeatOne}, {"2", "", "0", kRepeatOne},
    };
    InstantTextures textures;
    for (const Case& c : modes) {
        BackgroundPictures list{textures};
        list.loadSection(section(std::string("RandomImage=") + c.random + "\nCycImage=" + c.cyc +
                                 "\nRepeatImage=" + c.repeat + "\n"));
        EXPECT_EQ(list.playMode(), c.mode) << c.random << c.cyc << c.repeat;
    }

    // Whatever the saver does with the list, the settings file is not made or touched.
    std::remove(settingsFilePath().c_str());
    const std::string longPath = "/home/user/" + std::string(200, 'p') + ".jpg";
    IniDocument document = section("OwnImage=1\nImageTime=\nImageSum=12\n");
    for (int i = 0; i < 12; ++i)
        document.write("Custom Images", "ImageList" + std::to_string(i),
                       i == 3   ? longPath
                       : i == 5 ? "/p/bad.png"
                                : "/p/" + std::to_string(i) + ".png");
    std::vector<std::string> messages;
    BackgroundPictures list{textures};
    list.showMessage = [&](const std::string& m) { messages.push_back(m); };
    list.loadSection(document);
    EXPECT_TRUE(list.isOwnImage());
    EXPECT_EQ(list.interval(), "5");
    ASSERT_EQ(list.rows().size(), 10u) << "at most ten are read";
    EXPECT_EQ(list.rows()[3].path, longPath) << "a long path is read whole";
    EXPECT_EQ(list.rows()[5].state, BackgroundPictures::PictureState::Failed);
    EXPECT_EQ(messages, std::vector<std::string>{"(/p/bad.png)image loading error."});
    for (int ms = 0; ms < 60000; ms += 40)
        list.advance(Clock::time_point{} + std::chrono::milliseconds(ms));
    EXPECT_TRUE(customImageActive);
    struct stat info {};
    EXPECT_NE(::stat(settingsFilePath().c_str(), &info), 0) << "the saver wrote the settings";

    BackgroundPictures off{textures};
    off.loadSection(section("ImageSum=1\nImageList0=/p/1.png\nOwnImage=2\nImageTime=12\n"));
    EXPECT_FALSE(off.isOwnImage());
    EXPECT_FALSE(off.isCycling());
    EXPECT_EQ(off.interval(), "12");
}

} // namespace
} // namespace quelmarine
