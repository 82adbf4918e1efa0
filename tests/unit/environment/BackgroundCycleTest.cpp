// Which of the user's pictures shows: the list from the settings file, and the 200 ms tick
// with its interval and the three play modes.
#include "tank/environment/BackgroundCycle.h"
#include "tank/environment/CustomImageList.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quelmarine {
namespace {

// The texture after each of `ticks` ticks.
std::vector<std::int32_t> run(BackgroundCycle& cycle, int ticks, int interval) {
    std::vector<std::int32_t> shown;
    for (int i = 0; i < ticks; ++i) {
        cycle.Tick(interval);
        shown.push_back(cycle.currentTexture());
    }
    return shown;
}

BackgroundCycle cycleOf(CycleMode mode, std::vector<std::int32_t> textures) {
    BackgroundCycle cycle;
    cycle.setMode(mode);
    cycle.setOwnImage(true);
    for (std::int32_t t : textures)
        EXPECT_TRUE(cycle.addPicture(t));
    return cycle;
}

TEST(BackgroundCycle, SwitchesAtOnceThenEveryInterval) {
    BackgroundCycle all = cycleOf(CycleMode::RepeatAll, {11, 12, 13});
    const auto shown = run(all, 76, 5);
    // With nothing shown yet, "the next after the current one" is the second picture.
    EXPECT_EQ(shown[0], 12);
    for (int i = 1; i < 25; ++i)
        EXPECT_EQ(shown[i], 12) << i;
    EXPECT_EQ(shown[25], 13);
    EXPECT_EQ(shown[50], 11);
    EXPECT_EQ(shown[75], 12);
    EXPECT_EQ(all.currentRow(), 1);

    // An interval of 0 (or text that is no number) switches on every tick.
    BackgroundCycle fast = cycleOf(CycleMode::RepeatAll, {11, 12});
    EXPECT_EQ(run(fast, 4, 0), (std::vector<std::int32_t>{12, 11, 12, 11}));

    BackgroundCycle one = cycleOf(CycleMode::RepeatOne, {11, 12});
    for (std::int32_t t : run(one, 60, 1))
        EXPECT_EQ(t, 11);

    std::srand(7);
    BackgroundCycle random = cycleOf(CycleMode::Random, {11, 12, 13});
    std::vector<int> seen(3);
    for (std::int32_t t : run(random, 300, 0)) {
        ASSERT_GE(t, 11);
        ASSERT_LE(t, 13);
        ++seen[t - 11];
    }
    for (int n : seen)
        EXPECT_GT(n, 50);
}

TEST(BackgroundCycle, TheSwitchTheListAndTheirLimits) {
    BackgroundCycle cycle;
    cycle.setOwnImage(true);
    // Cycling on an empty list shows no picture (-1) until the first one arrives, which
    // restarts the cycling so that it shows at the next tick.
    EXPECT_EQ(run(cycle, 3, 5).back(), -1);
    cycle.addPicture(21);
    EXPECT_TRUE(cycle.isCycling());
    EXPECT_EQ(run(cycle, 1, 5).back(), 21);
    for (int i = 1; i < kMaxCustomPictures; ++i)
        EXPECT_TRUE(cycle.addPicture(21 + i));
    EXPECT_FALSE(cycle.addPicture(99)) << "an eleventh picture";
    EXPECT_EQ(cycle.pictureCount(), kMaxCustomPictures);

    EXPECT_EQ(cycle.pickPicture(4, true), 25);
    EXPECT_EQ(cycle.currentRow(), 4);
    cycle.setOwnImage(false);
    EXPECT_FALSE(cycle.isCycling());
    EXPECT_EQ(cycle.currentRow(), -1);
    EXPECT_EQ(cycle.pickPicture(0, false), -1);
    EXPECT_FALSE(cycle.Tick(0));

    // With the switch off, adding pictures starts nothing.
    BackgroundCycle off;
    off.addPicture(5);
    EXPECT_FALSE(off.isCycling());
}

TEST(CustomImageList, ReadsTheSectionAsTheDialogLoadsIt) {
    struct Case {
        const char *random, *cyc, *repeat;
        CycleMode mode;
    };
    const Case modes[] = {
        {"0", "0", "0", CycleMode::RepeatOne}, {"1", "0", "0", CycleMode::Random},
        {"0", "1", "0", CycleMode::RepeatAll}, {"1", "1", "0", CycleMode::RepeatAll},
        {"1", "1", "1", CycleMode::RepeatOne}, {"2", "", "0", CycleMode::RepeatOne},
    };
    for (const Case& c : modes) {
        IniDocument document;
        document.write("Custom Images", "RandomImage", c.random);
        document.write("Custom Images", "CycImage", c.cyc);
        document.write("Custom Images", "RepeatImage", c.repeat);
        EXPECT_EQ(loadCustomImageSettings(document).mode, c.mode) << c.random << c.cyc << c.repeat;
    }

    const std::string longPath = "/home/user/" + std::string(200, 'p') + ".jpg";
    IniDocument document("[Custom Images]\nOwnImage=1\nImageTime=\nImageSum=12\n");
    for (int i = 0; i < 12; ++i)
        document.write("Custom Images", "ImageList" + std::to_string(i),
                       i == 3 ? longPath : "/p/" + std::to_string(i) + ".png");
    const CustomImageSettings settings = loadCustomImageSettings(document);
    EXPECT_TRUE(settings.ownImage);
    EXPECT_EQ(settings.intervalText, "5");
    ASSERT_EQ(settings.paths.size(), 10u);
    EXPECT_EQ(settings.paths[0], "/p/0.png");
    EXPECT_EQ(settings.paths[3], longPath) << "a long path is read whole";
    EXPECT_EQ(settings.paths[9], "/p/9.png");

    const CustomImageSettings empty = loadCustomImageSettings(IniDocument("[Custom Images]\n"
                                                                          "OwnImage=2\n"
                                                                          "ImageTime=12\n"
                                                                          "ImageSum=-3\n"));
    EXPECT_FALSE(empty.ownImage);
    EXPECT_EQ(empty.intervalText, "12");
    EXPECT_TRUE(empty.paths.empty());
}

} // namespace
} // namespace quelmarine
