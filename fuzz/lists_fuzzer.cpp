// The play list and the picture list loaded from any bytes as the settings file: the music
// list's load and save, the background dialog's load, save and cycling, and the saver's read of
// the same list from the text. Properties: no list holds more rows than its count and its bound
// allow, and no row is longer than a path may be or breaks a line; the file and the text give
// the same list; cycling only ever shows a ready picture of the list; a path the dialogs accept
// can be stored; a save then a load gives the same list and leaves the other list as it was.

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "tank/environment/BackgroundPictures.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"
#include "tank/sound/MusicPlaylist.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <sys/stat.h>

using namespace quelmarine;

namespace {

// Plays nothing: a track "can play" unless its path is empty or ends in 'x'.
class SilentPlayer : public TrackPlayer {
  public:
    void open(const std::string& fileName) override {
        playable = !fileName.empty() && fileName.back() != 'x';
        at = 0;
        if (loaded)
            loaded();
    }
    bool canPlay() const override { return playable; }
    void play() override {}
    void stop() override {}
    void close() override { playable = false; }
    void seek(std::int32_t position) override { at = std::clamp(position, 0, length()); }
    std::int32_t position() const override { return at; }
    std::int32_t length() const override { return playable ? 1000 : 0; }
    void setVolume(std::int32_t value) override { level = value; }
    std::int32_t volume() const override { return level; }

  private:
    bool playable = false;
    std::int32_t at = 0, level = 1000;
};

// Hands out texture names at once: a new one per picture, none (0) for a path ending in 'x'.
class InstantTextures : public PictureTextures {
  public:
    void load(const std::string& path, std::function<void(std::int32_t)> done) override {
        const std::int32_t texture = !path.empty() && path.back() == 'x' ? 0 : next++;
        if (texture != 0)
            live.insert(texture);
        done(texture);
    }
    // Only a texture that load made, and only once.
    void release(std::int32_t texture) override { FUZZ_CHECK(live.erase(texture) == 1); }

  private:
    std::int32_t next = 1;
    std::set<std::int32_t> live;
};

std::size_t expectedRows(const IniDocument& document, const char* section, const char* sumKey,
                         std::size_t bound) {
    const std::int32_t sum = parseAtoi(document.read(section, sumKey));
    return sum > 0 ? std::min(std::size_t(sum), bound) : 0;
}

void checkRows(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        FUZZ_CHECK(path.size() <= kPathReadLimit);
        FUZZ_CHECK(path.find_first_of(std::string("\n\0", 2)) == std::string::npos);
    }
}

bool sameList(const ListSection& a, const ListSection& b) {
    return a.mode == b.mode && a.on == b.on && a.paths == b.paths;
}

// Every saved row stays, in order; those whose picture could be made are ready.
void checkLoadedRows(const BackgroundPictures& pictures, const ListSection& saved) {
    FUZZ_CHECK(pictures.pending() == 0);
    FUZZ_CHECK(pictures.rows().size() == saved.paths.size());
    for (std::size_t i = 0; i < saved.paths.size() && i < pictures.rows().size(); ++i) {
        const std::string& path = saved.paths[i];
        FUZZ_CHECK(pictures.rows()[i].path == path);
        FUZZ_CHECK((pictures.texture(i) > 0) == (path.empty() || path.back() != 'x'));
    }
}

void checkBackgroundDialog(const ListSection& saved, const IniDocument& document,
                           const std::string& added) {
    // The saver reads the same list from the text it holds.
    InstantTextures saverTextures;
    BackgroundPictures saver(saverTextures);
    saver.loadSection(document);
    checkLoadedRows(saver, saved);

    InstantTextures textures;
    BackgroundPictures pictures(textures);
    pictures.loadSection();
    checkLoadedRows(pictures, saved);
    for (int tick = 0; tick < 300; ++tick) {
        pictures.timerTick();
        const std::int32_t shown = pictures.currentTexture;
        const auto& rows = pictures.rows();
        int lit = 0;
        bool known = shown <= 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            known = known || pictures.texture(i) == shown;
            if (rows[i].on) {
                ++lit;
                FUZZ_CHECK(pictures.texture(i) == shown);
            }
        }
        FUZZ_CHECK(known && lit <= 1);
    }

    // "Add Image" with any path: one the file can hold joins the list (and so must come back).
    pictures.addPictureFromButton(added);

    // Saved and read back: the same list, and the music untouched.
    const ListSection musicBefore = readListSection(kCustomSettingsKeys, kMaxSavedTracks);
    const std::string interval = pictures.interval();
    pictures.saveSection();
    const ListSection reread = readListSection(kCustomImagesKeys, std::size_t(kMaxPictures));
    std::vector<std::string> shownPaths;
    for (const auto& row : pictures.rows())
        shownPaths.push_back(row.path);
    // A row read from the file that a line cannot hold as it is (blanks at its end, such as a
    // vertical tab before a zero byte) stays in the list and may come back changed.
    FUZZ_CHECK(reread.paths.size() == shownPaths.size());
    for (std::size_t i = 0; i < reread.paths.size() && i < shownPaths.size(); ++i)
        if (fitsOneIniLine(shownPaths[i]))
            FUZZ_CHECK(reread.paths[i] == shownPaths[i]);
    FUZZ_CHECK(reread.mode == pictures.playMode() && reread.on == pictures.isOwnImage());
    // The interval keeps its value; its text may lose what a settings line cannot hold (a NUL
    // byte, blanks at its ends).
    const std::string storedInterval = readIniString(kCustomImagesSection, kImageTimeKey);
    FUZZ_CHECK(parseAtoi(storedInterval) == parseAtoi(interval));
    FUZZ_CHECK(sameList(readListSection(kCustomSettingsKeys, kMaxSavedTracks), musicBefore));
}

void checkMusicDialog(const ListSection& saved, const std::string& added) {
    SilentPlayer player;
    MusicPlaylist playlist(player);
    playlist.initialise(1000);
    FUZZ_CHECK(playlist.rows() == saved.paths);
    FUZZ_CHECK(playlist.playMode() == saved.mode && playlist.isOn() == saved.on);
    const std::int32_t count = std::int32_t(playlist.rows().size());
    for (int tick = 0; tick < 20; ++tick) {
        playlist.timerTick();
        FUZZ_CHECK(playlist.currentTrack() >= -1 && playlist.currentTrack() < count);
        player.seek(player.length()); // the track ends
    }

    // "Add Music" with any path: it is taken exactly when the file can hold it. (A list already
    // at the most a load reads is left alone: a row added there would not load again.)
    const ListSection picturesBefore = readListSection(kCustomImagesKeys, kMaxPictures);
    if (playlist.rows().size() < kMaxSavedTracks)
        FUZZ_CHECK(playlist.addTrack(added) == fitsOneIniLine(added));

    // Saved and read back: the same rows (a row the file cannot hold, such as one cut at a zero
    // byte before a blank, may come back changed), and the pictures untouched.
    playlist.saveSection();
    const ListSection reread = readListSection(kCustomSettingsKeys, kMaxSavedTracks);
    FUZZ_CHECK(reread.mode == playlist.playMode() && reread.on == playlist.isOn());
    FUZZ_CHECK(reread.paths.size() == playlist.rows().size());
    for (std::size_t i = 0; i < reread.paths.size(); ++i)
        if (fitsOneIniLine(playlist.rows()[i]))
            FUZZ_CHECK(reread.paths[i] == playlist.rows()[i]);
    FUZZ_CHECK(sameList(readListSection(kCustomImagesKeys, kMaxPictures), picturesBefore));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The settings file lives in the scratch folder.
    ::setenv("XDG_CONFIG_HOME", fuzzsupport::scratchFolder().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = settingsFilePath();
    FUZZ_CHECK(!path.empty());
    fuzzsupport::writeWholeFile(path, bytes);
    const IniDocument document(bytes);

    const ListSection images = readListSection(kCustomImagesKeys, kMaxPictures);
    const ListSection music = readListSection(kCustomSettingsKeys, kMaxSavedTracks);
    FUZZ_CHECK(images.paths.size() ==
               expectedRows(document, kCustomImagesSection, kImageSumKey, kMaxPictures));
    FUZZ_CHECK(music.paths.size() ==
               expectedRows(document, kCustomSettingsSection, kMusicSumKey, kMaxSavedTracks));
    checkRows(images.paths);
    checkRows(music.paths);
    FUZZ_CHECK(
        sameList(readListSection(readSettingsDocument(), kCustomImagesKeys, kMaxPictures), images));

    // The text after the last line end is also the path the dialogs are asked to add.
    const std::string added(bytes.substr(bytes.rfind('\n') + 1));
    checkBackgroundDialog(images, readSettingsDocument(), added);
    checkMusicDialog(music, added);
    return 0;
}
