// The play list's logic against a stub player: the track choice of every mode and state, the end
// of a track, clicks, the switch, and the section it saves and loads.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "tank/ProcessState.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"
#include "tank/sound/MusicPlaylist.h"

namespace quelmarine {
namespace {

// Loads finish when the test says so (finishLoad), as the real player's do. A file in `empty`
// has no length and ends as soon as it plays; one in `unknownLength` reports no length and
// ends when the test says so (endNow). fail() is an error while the loaded file plays.
struct StubPlayer : TrackPlayer {
    void open(const std::string& f) override {
        file = f;
        opened.push_back(f);
        loading = true;
        broken = ended = false;
        playingNow = false;
        if (loadAtOnce)
            finishLoad();
    }
    void finishLoad() {
        loading = false;
        if (loaded)
            loaded();
        if (playRequested && canPlay())
            startNow();
    }
    bool canPlay() const override {
        return !loading && !broken && !file.empty() && !bad.count(file);
    }
    void play() override {
        playRequested = true;
        if (canPlay())
            startNow();
    }
    void startNow() {
        playingNow = true;
        if (empty.count(file))
            ended = true;
    }
    void stop() override { playRequested = playingNow = false; }
    void close() override {}
    void seek(std::int32_t p) override { pos = p; }
    std::int32_t position() const override { return pos; }
    bool lengthless() const { return empty.count(file) || unknownLength.count(file); }
    std::int32_t length() const override { return canPlay() && !lengthless() ? 3000 : 0; }
    bool atEnd() const override { return canPlay() && (lengthless() ? ended : pos == length()); }
    void endNow() {
        pos = length();
        ended = true;
    }
    void fail() {
        broken = true;
        playingNow = false;
        if (failed)
            failed();
    }
    void setVolume(std::int32_t v) override { vol = v; }
    std::int32_t volume() const override { return vol; }

    std::string file;
    std::vector<std::string> opened;
    std::set<std::string> bad, empty, unknownLength;
    bool loading = false, loadAtOnce = true, playRequested = false, playingNow = false;
    bool broken = false, ended = false;
    std::int32_t pos = 0, vol = 0;
};

class MusicPlaylistTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::remove(settingsFilePath().c_str());
        currentPlaylistIndex = -1;
        musicPlaying = true;
    }
    void addRows(int n) {
        for (int i = 0; i < n; ++i)
            list.addTrack("/music/track " + std::to_string(i) + ".mp3");
    }
    std::string row(int i) const { return list.rows()[std::size_t(i)]; }

    StubPlayer player;
    MusicPlaylist list{player};
};

// Expected choice for Random with the generator at `seed`.
int randomChoice(unsigned seed, int count) {
    std::srand(seed);
    return std::rand() % count;
}

TEST_F(MusicPlaylistTest, ChooseTrackFollowsItsWholeTable) {
    struct Case {
        PlayMode mode;
        bool playing, fromClick;
        int selected, current;
        int expected; // -2: rand() % 4
    } const cases[] = {
        // not playing: the selection, or 0 (Random: a random row) when none
        {kRepeatOne, false, false, 2, -1, 2},
        {kRepeatOne, false, false, -1, -1, 0},
        {kRepeatAll, false, false, 3, -1, 3},
        {kRepeatAll, false, false, -1, -1, 0},
        {kRandom, false, false, 1, -1, 1},
        {kRandom, false, false, -1, -1, -2},
        // playing, from a click: the selection
        {kRepeatOne, true, true, 2, 1, 2},
        {kRepeatAll, true, true, 0, 1, 0},
        {kRandom, true, true, 3, 1, 3},
        // playing, at the end of a track
        {kRepeatOne, true, false, -1, 1, 1},
        {kRepeatAll, true, false, -1, 1, 2},
        {kRepeatAll, true, false, -1, 3, 0},
        {kRandom, true, false, -1, 1, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << " playing " << c.playing << " click " << c.fromClick
                     << " selected " << c.selected << " current " << c.current);
        StubPlayer p;
        MusicPlaylist l{p};
        for (int i = 0; i < 4; ++i)
            l.addTrack("/m/" + std::to_string(i) + ".wav");
        l.setMode(c.mode);
        if (c.playing) {
            l.select(c.current);
            l.play();
            ASSERT_TRUE(l.isPlaying());
            ASSERT_EQ(l.currentTrack(), c.current);
        }
        l.select(c.selected);
        std::srand(77);
        l.chooseTrack(c.fromClick);
        const int expected = c.expected == -2 ? randomChoice(77, 4) : c.expected;
        EXPECT_EQ(l.currentTrack(), expected);
        EXPECT_EQ(p.file, "/m/" + std::to_string(expected) + ".wav");
        EXPECT_EQ(p.pos, 0);
        EXPECT_EQ(l.positionRange, 3000) << "the position slider spans the track";
    }
    // An empty list chooses nothing.
    StubPlayer p;
    MusicPlaylist empty{p};
    empty.chooseTrack(false);
    EXPECT_TRUE(p.opened.empty());
    EXPECT_EQ(empty.currentTrack(), -1);
}

TEST_F(MusicPlaylistTest, EndOfTrackReplaysOrWrapsAndMarksTheRow) {
    addRows(3);
    list.select(2);
    list.play();
    EXPECT_EQ(currentPlaylistIndex, 2);
    // Repeat One: the same file again, from 0.
    player.pos = 1234;
    list.timerTick(); // mid-track: nothing changes
    EXPECT_EQ(player.opened.size(), 1u);
    player.pos = player.length();
    list.timerTick();
    ASSERT_EQ(player.opened.size(), 2u);
    EXPECT_EQ(player.file, row(2));
    EXPECT_EQ(player.pos, 0);
    EXPECT_TRUE(player.playingNow);
    // Repeat All after the last row: row 0.
    list.setMode(kRepeatAll);
    player.pos = player.length();
    list.timerTick();
    EXPECT_EQ(player.file, row(0));
    EXPECT_EQ(currentPlaylistIndex, 0);
    EXPECT_TRUE(list.isPlaying());
    // While a track is still loading, its length is unknown and nothing moves on.
    player.loadAtOnce = false;
    player.pos = player.length();
    list.timerTick();
    EXPECT_EQ(player.file, row(1));
    player.pos = 0;
    list.timerTick();
    list.timerTick();
    EXPECT_EQ(player.file, row(1));
    player.finishLoad();
    EXPECT_TRUE(player.playingNow) << "play() before the load ends plays once loaded";
}

TEST_F(MusicPlaylistTest, ATrackWithoutLengthIsPassedOverOnceAndAListOfThemStops) {
    // A list of tracks that end without playing any time, in every mode: each is opened at
    // most once and reported once, then playing stops, however many ticks follow.
    for (PlayMode mode : {kRepeatOne, kRepeatAll, kRandom}) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        StubPlayer p;
        MusicPlaylist l{p};
        std::vector<std::string> messages;
        l.showMessage = [&](const std::string& m) { messages.push_back(m); };
        for (int i = 0; i < 3; ++i) {
            l.addTrack("/m/empty " + std::to_string(i) + ".wav");
            p.empty.insert(l.rows().back());
        }
        l.setMode(mode);
        l.play();
        ASSERT_TRUE(l.isPlaying());
        for (int tick = 0; tick < 50; ++tick)
            l.timerTick();
        EXPECT_FALSE(l.isPlaying());
        EXPECT_EQ(currentPlaylistIndex, -1);
        const std::set<std::string> distinct(p.opened.begin(), p.opened.end());
        EXPECT_EQ(p.opened.size(), distinct.size()) << "no track is opened twice";
        EXPECT_EQ(p.opened.size(), mode == kRepeatOne ? 1u : 3u);
        ASSERT_EQ(messages.size(), p.opened.size());
        EXPECT_EQ(messages[0], "(" + p.opened[0] + ")music loading error.");
    }

    // Mixed, Repeat All: the empty rows are passed over, the good one plays on; the row found
    // empty is not opened again on the next round.
    addRows(3);
    player.empty = {row(0), row(2)};
    list.setMode(kRepeatAll);
    list.play();
    list.timerTick();
    EXPECT_EQ(player.file, row(1));
    EXPECT_TRUE(player.playingNow);
    player.pos = 1000;
    list.timerTick();
    player.pos = player.length();
    list.timerTick(); // the good track ends: row 2, empty
    list.timerTick();
    EXPECT_EQ(player.opened, (std::vector<std::string>{row(0), row(1), row(2), row(1)}));
    EXPECT_TRUE(list.isPlaying());
    EXPECT_EQ(currentPlaylistIndex, 1);

    // A track of unknown length: not ended before it starts, ended when the player says so
    // after playing some time (Repeat One: it plays again).
    list.stop();
    player.empty.clear();
    player.unknownLength = {row(0)};
    list.setMode(kRepeatOne);
    list.select(0);
    list.play();
    for (int tick = 0; tick < 5; ++tick)
        list.timerTick();
    EXPECT_EQ(player.opened.size(), 5u) << "not started is not ended";
    player.pos = 800;
    list.timerTick();
    player.endNow();
    list.timerTick();
    EXPECT_EQ(player.opened.size(), 6u);
    EXPECT_EQ(player.file, row(0));
    EXPECT_TRUE(list.isPlaying());
    EXPECT_TRUE(player.playingNow);
}

TEST_F(MusicPlaylistTest, AnErrorWhilePlayingMovesOnAndReportsTheTrackAndAllFailingStops) {
    std::vector<std::string> messages;
    list.showMessage = [&](const std::string& m) { messages.push_back(m); };
    addRows(3);
    list.setMode(kRepeatAll);
    list.play();
    player.fail();
    EXPECT_EQ(player.file, row(1)) << "moves on as at the end of the track";
    EXPECT_TRUE(list.isPlaying());
    EXPECT_TRUE(player.playingNow);
    EXPECT_EQ(currentPlaylistIndex, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "(" + row(0) + ")music loading error.");
    // Row 1 plays to its end, row 2 fails: row 0 has failed already, so row 1 comes again.
    player.pos = player.length();
    list.timerTick();
    EXPECT_EQ(player.file, row(2));
    player.fail();
    EXPECT_EQ(player.file, row(1));
    EXPECT_TRUE(list.isPlaying());
    // Row 1 fails as well: every row has failed, so playing stops after this one pass.
    player.fail();
    EXPECT_FALSE(list.isPlaying());
    EXPECT_FALSE(player.playingNow);
    EXPECT_EQ(currentPlaylistIndex, -1);
    EXPECT_EQ(player.opened.size(), 4u);
    EXPECT_EQ(messages.size(), 3u);
    // Play tries every row again.
    list.play();
    EXPECT_EQ(player.file, row(0));
    EXPECT_TRUE(player.playingNow);

    // In every mode, a list whose every track fails stops within one pass.
    for (PlayMode mode : {kRepeatOne, kRepeatAll, kRandom}) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        StubPlayer p;
        MusicPlaylist l{p};
        int shown = 0;
        l.showMessage = [&](const std::string&) { ++shown; };
        for (int i = 0; i < 4; ++i)
            l.addTrack("/m/" + std::to_string(i) + ".mp3");
        l.setMode(mode);
        l.play();
        for (int i = 0; i < 10 && l.isPlaying(); ++i) {
            p.fail();
            l.timerTick();
        }
        EXPECT_FALSE(l.isPlaying());
        EXPECT_EQ(p.opened.size(), mode == kRepeatOne ? 1u : 4u);
        EXPECT_EQ(shown, int(p.opened.size()));
    }
    // Failing while loaded but stopped: only reported.
    list.stop();
    messages.clear();
    list.clickRow(2);
    player.fail();
    EXPECT_FALSE(list.isPlaying());
    EXPECT_EQ(messages, std::vector<std::string>{"(" + row(2) + ")music loading error."});
}

TEST_F(MusicPlaylistTest, ClickLoadsWhenStoppedAndSwitchesWhenPlaying) {
    addRows(3);
    list.clickRow(1);
    EXPECT_EQ(player.file, row(1));
    EXPECT_FALSE(list.isPlaying());
    EXPECT_FALSE(player.playingNow);
    EXPECT_EQ(list.positionSlider, 0);
    EXPECT_EQ(currentPlaylistIndex, -1);

    list.play();
    EXPECT_TRUE(player.playingNow);
    list.clickRow(2);
    EXPECT_EQ(player.file, row(2));
    EXPECT_TRUE(player.playingNow);
    EXPECT_EQ(currentPlaylistIndex, 2);

    list.stop();
    EXPECT_FALSE(list.isPlaying());
    EXPECT_FALSE(player.playingNow);
    EXPECT_EQ(currentPlaylistIndex, -1);
    EXPECT_EQ(list.selection(), -1);
    EXPECT_EQ(list.currentTrack(), -1);
}

TEST_F(MusicPlaylistTest, SwitchReportsOwnMusicAndAnUnplayableFileFallsBackToStopped) {
    addRows(2);
    player.bad.insert(row(0));
    player.loadAtOnce = false;
    list.setOn(true);
    EXPECT_TRUE(list.isPlaying());
    list.timerTick();
    EXPECT_TRUE(musicPlaying);
    player.finishLoad();
    EXPECT_FALSE(list.isPlaying()) << "canPlay false falls back to stopped";
    EXPECT_EQ(currentPlaylistIndex, -1);
    list.setOn(false);
    list.timerTick();
    EXPECT_FALSE(musicPlaying);
}

TEST_F(MusicPlaylistTest, RemoveNeedsASelectionAndRemoveAllEmpties) {
    std::vector<std::string> messages;
    list.showMessage = [&](const std::string& m) { messages.push_back(m); };
    addRows(3);
    list.removeSelected();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Please select an item from the music list!");
    EXPECT_EQ(list.rows().size(), 3u);
    list.select(0);
    list.removeSelected();
    EXPECT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(player.file, "/music/track 1.mp3") << "the next track is loaded, not played";
    EXPECT_FALSE(list.isPlaying());
    list.removeAll();
    EXPECT_TRUE(list.rows().empty());
    list.play();
    EXPECT_FALSE(list.isPlaying()) << "Play with an empty list does nothing";
    // A path that cannot stand on one settings line is refused.
    EXPECT_FALSE(list.addTrack("/music/two\nlines.mp3"));
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(messages.back(), "(/music/two\nlines.mp3)music loading error.");
}

TEST_F(MusicPlaylistTest, AFullListRefusesTheNextTrackInsteadOfLosingItOnTheNextStart) {
    std::string text = "[Custom Settings]\nMusicSum=" + std::to_string(kMaxSavedTracks) + "\n";
    for (std::size_t i = 0; i < kMaxSavedTracks; ++i)
        text += "MusicList" + std::to_string(i) + "=/m/" + std::to_string(i) + ".mp3\n";
    std::FILE* file = std::fopen(settingsFilePath().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    std::vector<std::string> messages;
    list.showMessage = [&](const std::string& m) { messages.push_back(m); };
    list.initialise(1000);
    ASSERT_EQ(list.rows().size(), kMaxSavedTracks);
    EXPECT_FALSE(list.addTrack("/m/one more.mp3"));
    EXPECT_EQ(list.rows().size(), kMaxSavedTracks);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "The maximum number of music is: 4096");
    list.removeSelected(); // nothing selected: a message, no change
    list.select(0);
    list.removeSelected();
    EXPECT_TRUE(list.addTrack("/m/one more.mp3")) << "a freed row takes a track again";
    StubPlayer p;
    MusicPlaylist again{p};
    again.initialise(1000);
    EXPECT_EQ(again.rows(), list.rows()) << "every row the list shows comes back";
}

TEST_F(MusicPlaylistTest, SectionIsSavedOnEveryChangeAndLoadsBack) {
    addRows(2);
    list.addTrack("/home/ü ser/Müsik/Ünïcode song.mp3");
    EXPECT_EQ(readIniString(kCustomSettingsSection, "MusicSum"), "3");
    list.setMode(kRandom);
    EXPECT_EQ(readIniString(kCustomSettingsSection, "RandomMusic"), "1");
    EXPECT_EQ(readIniString(kCustomSettingsSection, "RepeatMusic"), "0");
    list.setOn(true);
    EXPECT_EQ(readIniString(kCustomSettingsSection, "OwnMusic"), "1");
    const std::string longPath = "/" + std::string(300, 'd') + "/song.wav";
    list.addTrack(longPath);

    StubPlayer p;
    MusicPlaylist again{p};
    again.initialise(640);
    EXPECT_EQ(again.rows(), list.rows()) << "paths longer than an ordinary value come back whole";
    EXPECT_EQ(again.playMode(), kRandom);
    EXPECT_TRUE(again.isOn());
    EXPECT_TRUE(again.isPlaying()) << "a saved list with the switch on plays";
    EXPECT_EQ(p.vol, 640);

    // MusicSum 0 never plays, whatever the switch and the left-over rows say.
    writeIniString(kCustomSettingsSection, "MusicSum", "0");
    StubPlayer q;
    MusicPlaylist none{q};
    none.initialise(1000);
    EXPECT_TRUE(none.rows().empty());
    EXPECT_FALSE(none.isPlaying());
    none.play();
    EXPECT_FALSE(none.isPlaying());

    // Both Repeat One and Repeat All lit: Repeat One wins; none lit: Repeat One.
    writeIniString(kCustomSettingsSection, "RepeatMusic", "1");
    writeIniString(kCustomSettingsSection, "CycMusic", "1");
    MusicPlaylist both{q};
    both.loadSection();
    EXPECT_EQ(both.playMode(), kRepeatOne);
    writeIniString(kCustomSettingsSection, "RepeatMusic", "0");
    writeIniString(kCustomSettingsSection, "RandomMusic", "0");
    MusicPlaylist cyc{q};
    cyc.loadSection();
    EXPECT_EQ(cyc.playMode(), kRepeatAll);
}

} // namespace
} // namespace quelmarine
