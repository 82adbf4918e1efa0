// The picture list's logic against stub textures: which picture is current in every mode, the
// interval ticks, removal, the switch, the order of late textures and the saved section.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tank/ProcessState.h"
#include "tank/environment/BackgroundPictures.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"

namespace quelmarine {
namespace {

// Picture "/p/N.png" becomes texture 100 + N; "bad" pictures fail. With `later`, textures come
// only when the test hands them out.
struct StubTextures : PictureTextures {
    void load(const std::string& path, std::function<void(std::int32_t)> done) override {
        const std::int32_t texture =
            path.find("bad") != std::string::npos ? 0 : 100 + std::atoi(path.c_str() + 3);
        if (later)
            queued.push_back([=] { done(texture); });
        else
            done(texture);
    }
    void release(std::int32_t texture) override { released.push_back(texture); }
    bool later = false;
    std::vector<std::function<void()>> queued;
    std::vector<std::int32_t> released;
};

std::string picture(int n) {
    return "/p/" + std::to_string(n) + ".png";
}

class BackgroundPicturesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::remove(settingsFilePath().c_str());
        list.showMessage = [this](const std::string& m) { messages.push_back(m); };
    }
    void addPictures(int n) {
        for (int i = 0; i < n; ++i)
            list.addPictureFromButton(picture(i));
    }
    // The row marked "ON", -1 for none.
    int onRow() const {
        for (std::size_t i = 0; i < list.rows().size(); ++i)
            if (list.rows()[i].on)
                return int(i);
        return -1;
    }
    // Runs ticks until the current texture changes; returns how many it took.
    int ticksToSwitch(int limit = 100) {
        const std::int32_t before = list.currentTexture;
        for (int n = 1; n <= limit; ++n) {
            list.timerTick();
            if (list.currentTexture != before)
                return n;
        }
        return -1;
    }

    StubTextures textures;
    BackgroundPictures list{textures};
    std::vector<std::string> messages;
};

TEST_F(BackgroundPicturesTest, PickPictureInEveryMode) {
    addPictures(3);
    EXPECT_EQ(list.pickPicture(0, false), -1) << "not cycling";
    list.setOwnImage(true);
    // From a click: that row, marked ON.
    EXPECT_EQ(list.pickPicture(2, true), 102);
    EXPECT_EQ(onRow(), 2);
    // Repeat One: the current texture, or the first when there is none.
    list.currentTexture = 0;
    EXPECT_EQ(list.pickPicture(0, false), 100);
    list.currentTexture = 101;
    EXPECT_EQ(list.pickPicture(0, false), 101);
    // Repeat All: the next, wrapping; textures[1 mod n] when the current one is not listed.
    list.setMode(kRepeatAll);
    EXPECT_EQ(list.pickPicture(0, false), 102);
    list.currentTexture = 102;
    EXPECT_EQ(list.pickPicture(0, false), 100);
    list.currentTexture = 555;
    EXPECT_EQ(list.pickPicture(0, false), 101);
    // Random: textures[rand() mod n].
    list.setMode(kRandom);
    std::srand(5);
    const int expected = 100 + std::rand() % 3;
    std::srand(5);
    EXPECT_EQ(list.pickPicture(0, false), expected);
}

TEST_F(BackgroundPicturesTest, IntervalTicks) {
    addPictures(2);
    list.setMode(kRepeatAll);
    list.setOwnImage(true);
    list.timerTick();
    EXPECT_TRUE(customImageActive);
    // No current picture yet: Repeat All goes on from "none", to textures[1 mod n].
    EXPECT_EQ(list.currentTexture, 101) << "\"5\": the first tick switches";
    EXPECT_EQ(onRow(), 1);
    EXPECT_EQ(ticksToSwitch(), 25) << "then every 25 ticks";
    EXPECT_EQ(onRow(), 0);
    EXPECT_EQ(ticksToSwitch(), 25);
    // However short the interval typed, the backdrop changes at most once a second (a picture
    // flickering five times a second is a hazard); the box and the file keep what was typed.
    for (const char* text : {"0", "abc", "", "-3", "1"}) {
        SCOPED_TRACE(text);
        list.setInterval(text);
        list.startCycling();
        EXPECT_EQ(ticksToSwitch(), 1);
        EXPECT_EQ(ticksToSwitch(), 5) << "once a second after the first";
        EXPECT_EQ(readIniString(kCustomImagesSection, "ImageTime"), text);
    }
    list.setOwnImage(false);
    list.timerTick();
    EXPECT_FALSE(customImageActive);
    EXPECT_EQ(onRow(), -1) << "stopping marks every row OFF";
    EXPECT_EQ(ticksToSwitch(5), -1);
}

TEST_F(BackgroundPicturesTest, RemovingTheCurrentPictureInRepeatAllContinuesWithTheSecond) {
    addPictures(4);
    list.setMode(kRepeatAll);
    list.setOwnImage(true);
    list.clickRow(2);
    EXPECT_EQ(list.currentTexture, 102);
    list.select(2);
    list.removeSelectedPicture();
    EXPECT_EQ(list.rows().size(), 3u);
    EXPECT_EQ(list.texture(2), 103) << "later textures move up";
    EXPECT_EQ(list.texture(3), 0);
    EXPECT_EQ(list.currentTexture, 100) << "removal shows row 0";
    list.currentTexture = 102; // a picture no longer in the list
    list.startCycling();
    list.timerTick();
    EXPECT_EQ(list.currentTexture, 101) << "textures[1 mod n]";
    // With no row selected nothing is removed, silently.
    list.select(-1);
    list.removeSelectedPicture();
    EXPECT_EQ(list.rows().size(), 3u);
    EXPECT_TRUE(messages.empty());
    list.removeAll();
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(list.currentTexture, 0);
    EXPECT_EQ(list.texture(0), 0);
}

TEST_F(BackgroundPicturesTest, FirstPictureWithTheSwitchOnStartsCyclingAndClicksKeepTheCounter) {
    list.setOwnImage(true);
    list.timerTick();
    EXPECT_EQ(list.currentTexture, -1) << "nothing to show yet";
    list.setOwnImage(false);
    list.setOwnImage(true);
    list.stopCycling();
    EXPECT_FALSE(list.isCycling());
    list.addPictureFromButton(picture(7));
    EXPECT_TRUE(list.isCycling()) << "the first picture starts cycling without another click";
    list.timerTick();
    EXPECT_EQ(list.currentTexture, 107) << "Repeat One after -1 shows the first picture";
    list.addPictureFromButton(picture(8));
    for (int i = 0; i < 10; ++i)
        list.timerTick();
    list.clickRow(1);
    EXPECT_EQ(list.currentTexture, 108) << "a click shows that picture at once";
    EXPECT_EQ(onRow(), 1);
    EXPECT_EQ(list.tickCounter, 10) << "and leaves the counter alone";
}

TEST_F(BackgroundPicturesTest, LimitsMessagesAndLateTexturesInOrder) {
    addPictures(10);
    list.addPictureFromButton(picture(10));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The maximum number of background is: 10");
    EXPECT_EQ(list.rows().size(), 10u);
    list.removeAll();

    list.setOwnImage(true);
    list.addPictureFromButton(picture(1));
    list.addPictureFromButton("/p/bad.png");
    EXPECT_EQ(messages.back(), "(/p/bad.png)image loading error.");
    EXPECT_TRUE(list.isCycling()) << "a picture that fails leaves the others cycling";
    EXPECT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(readIniString(kCustomImagesSection, "ImageSum"), "1");
    list.addPictureFromButton("/p/new\nline.png");
    EXPECT_EQ(messages.back(), "(/p/new\nline.png)image loading error.");
    list.removeAll();

    // Rows keep the order of adding whatever order their textures come in, and pictures still
    // being made count towards the ten.
    textures.later = true;
    addPictures(3);
    list.addPictureFromButton("/p/bad2.png");
    EXPECT_EQ(list.pending(), 4u);
    addPictures(7);
    EXPECT_EQ(messages.back(), "The maximum number of background is: 10");
    textures.queued[3]();
    textures.queued[2]();
    textures.queued[1]();
    EXPECT_EQ(messages.back(), "(/p/bad2.png)image loading error.");
    textures.queued[0]();
    ASSERT_EQ(list.rows().size(), 9u) << "the picture that failed is not added";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.rows()[std::size_t(i)].path, picture(i));
    EXPECT_EQ(list.texture(2), 102);
}

// The pictures of the saved list are the user's while they are still being read: a change, or
// the dialog being hidden, during the start-up saves every one of them, in order.
TEST_F(BackgroundPicturesTest, SavesDuringTheStartUpKeepThePicturesStillBeingRead) {
    textures.later = true;
    addPictures(10);
    for (std::size_t i = 0; i < 6; ++i)
        textures.queued[i]();
    StubTextures slow;
    slow.later = true;
    BackgroundPictures started{slow};
    started.loadSection();
    ASSERT_EQ(started.rows().size(), 10u);
    std::vector<std::function<void()>> changes = {
        [&] { started.setMode(kRepeatAll); }, [&] { started.saveSection(); }, // hidden
        [&] { started.setOwnImage(true); },   [&] { started.setInterval("7"); },
        [&] { started.clickRow(3); },         [&] { started.timerTick(); }};
    for (std::size_t step = 0; step < changes.size(); ++step) {
        changes[step]();
        if (step % 2 == 0) // a few pictures arrive between the changes, out of order
            slow.queued[9 - step]();
        ASSERT_EQ(readIniString(kCustomImagesSection, "ImageSum"), "10") << step;
        for (int i = 0; i < 10; ++i)
            ASSERT_EQ(readIniString(kCustomImagesSection, "ImageList" + std::to_string(i), 4096),
                      picture(i))
                << step;
    }
    EXPECT_EQ(readIniString(kCustomImagesSection, "CycImage"), "1");
    EXPECT_EQ(readIniString(kCustomImagesSection, "ImageTime"), "7");
}

// One saved picture that cannot be read: its row stays (and stays in the file), marked, with one
// message, and the others go on cycling while the switch stays on.
TEST_F(BackgroundPicturesTest, ABadSavedPictureIsMarkedAndTheOthersGoOnCycling) {
    addPictures(3);
    list.setMode(kRepeatAll);
    list.setInterval("1");
    list.setOwnImage(true);
    writeIniString(kCustomImagesSection, "ImageList1", "/p/bad.png");
    StubTextures slow;
    slow.later = true;
    BackgroundPictures again{slow};
    again.showMessage = [this](const std::string& m) { messages.push_back(m); };
    again.loadSection();
    // The good pictures come first and show; the bad one fails while they cycle.
    slow.queued[2]();
    slow.queued[0]();
    again.timerTick();
    slow.queued[1]();
    EXPECT_EQ(messages, std::vector<std::string>{"(/p/bad.png)image loading error."});
    ASSERT_EQ(again.rows().size(), 3u);
    EXPECT_EQ(again.rows()[1].state, BackgroundPictures::PictureState::Failed);
    std::vector<std::int32_t> shown = {again.currentTexture};
    for (int tick = 0; tick < 30; ++tick) {
        again.timerTick();
        if (shown.back() != again.currentTexture)
            shown.push_back(again.currentTexture);
        EXPECT_FALSE(again.rows()[1].on);
    }
    EXPECT_EQ(shown, (std::vector<std::int32_t>{102, 100, 102, 100, 102, 100, 102}));
    EXPECT_TRUE(again.isCycling());
    again.clickRow(1);
    EXPECT_EQ(again.currentTexture, 102) << "a click on the bad row shows nothing new";
    again.setMode(kRandom);
    EXPECT_EQ(readIniString(kCustomImagesSection, "ImageList1"), "/p/bad.png");
    EXPECT_EQ(messages.size(), 1u);
}

// A picture whose texture is made after its list has gone gives the texture back.
TEST_F(BackgroundPicturesTest, TexturesMadeAfterTheListHasGoneAreGivenBack) {
    textures.later = true;
    {
        BackgroundPictures gone{textures};
        gone.addPictureFromButton(picture(4));
        gone.addPictureFromButton("/p/bad.png");
    }
    for (auto& make : textures.queued)
        make();
    EXPECT_EQ(textures.released, std::vector<std::int32_t>{104});
}

// Pictures added and removed for hours must not pile up textures: each one that leaves the list
// is given back once, and none that a row still shows.
TEST_F(BackgroundPicturesTest, RemovedPicturesGiveTheirTexturesBackOnce) {
    using Released = std::vector<std::int32_t>;
    addPictures(4);
    list.setOwnImage(true);
    list.select(1);
    list.removeSelectedPicture();
    EXPECT_EQ(textures.released, Released{101});
    EXPECT_EQ(list.currentTexture, 100);
    list.select(-1);
    list.removeSelectedPicture();
    list.addPictureFromButton("/p/bad.png");
    EXPECT_EQ(textures.released, Released{101}) << "nothing removed, nothing made";
    list.removeAll();
    EXPECT_EQ(textures.released, (Released{101, 100, 102, 103}));
    list.removeAll();
    EXPECT_EQ(textures.released.size(), 4u);

    // Textures that come after the list was emptied belong to no row.
    textures.later = true;
    addPictures(2);
    list.removeAll();
    textures.queued[1]();
    textures.queued[0]();
    EXPECT_EQ(textures.released, (Released{101, 100, 102, 103, 101, 100}));
    EXPECT_TRUE(list.rows().empty());
}

TEST_F(BackgroundPicturesTest, SectionIsSavedOnEveryChangeAndLoadsBackInOrder) {
    addPictures(3);
    list.addPictureFromButton("/home/user/Bilder/Strand am Meer ü.JPG");
    list.setMode(kRandom);
    list.setInterval("12");
    list.setOwnImage(true);
    EXPECT_EQ(readIniString(kCustomImagesSection, "ImageSum"), "4");
    EXPECT_EQ(readIniString(kCustomImagesSection, "ImageTime"), "12");
    EXPECT_EQ(readIniString(kCustomImagesSection, "RandomImage"), "1");
    EXPECT_EQ(readIniString(kCustomImagesSection, "OwnImage"), "1");
    EXPECT_EQ(readIniString(kCustomImagesSection, "ImageList3"),
              "/home/user/Bilder/Strand am Meer ü.JPG");

    StubTextures later;
    later.later = true;
    BackgroundPictures again{later};
    again.loadSection();
    EXPECT_EQ(again.playMode(), kRandom);
    EXPECT_EQ(again.interval(), "12");
    EXPECT_TRUE(again.isOwnImage());
    ASSERT_EQ(later.queued.size(), 4u);
    for (int i = 3; i >= 0; --i)
        later.queued[std::size_t(i)]();
    ASSERT_EQ(again.rows().size(), 4u);
    EXPECT_EQ(again.rows()[3].path, list.rows()[3].path);
    EXPECT_EQ(again.texture(0), 100);
    EXPECT_TRUE(again.isCycling()) << "the switch on and a saved list: cycling";

    // An empty interval reads as "5".
    writeIniString(kCustomImagesSection, "ImageTime", "");
    BackgroundPictures third{textures};
    third.loadSection();
    EXPECT_EQ(third.interval(), "5");
}

} // namespace
} // namespace quelmarine
