// The list sections: which paths can be stored and read back whole, and a load that reads a
// large settings file once rather than once per row.

#include "tank/settings/ListSection.h"
#include "support/TempDir.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"
#include "tank/sound/MusicPlaylist.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace quelmarine;

namespace {

// fitsOneIniLine promises exactly what a write followed by a read does: a path it accepts comes
// back byte for byte, one it refuses would not (blanks at its ends, of any kind the reader trims,
// would be lost).
TEST(ListSectionTest, FitsOneIniLineIsTheRoundTrip) {
    const std::string nul("a\0b", 3);
    const std::string table[] = {
        "/music/a.mp3",
        "/home/ü ser/Ünïcode song.mp3",
        "/with inner  blanks/and\ttab.wav",
        "/" + std::string(kPathReadLimit - 1, 'p'),
        "/" + std::string(kPathReadLimit, 'p'),
        "",
        " /leading blank.mp3",
        "/trailing blank.mp3 ",
        "\t/leading tab.mp3",
        "/trailing tab.mp3\t",
        "/trailing vertical tab.mp3\v",
        "\f/leading form feed.mp3",
        "/trailing form feed.mp3\f",
        "/inner\vvertical tab and\fform feed.mp3",
        "/carriage\rreturn.mp3",
        "/new\nline.mp3",
        nul,
    };
    for (const std::string& path : table) {
        IniDocument document("[Custom Settings]\nMusicSum=1\n");
        const bool stored = document.write(kCustomSettingsSection, "MusicList0", path);
        const IniDocument reread(document.bytes());
        const bool whole =
            stored && reread.read(kCustomSettingsSection, "MusicList0", kPathReadLimit) == path;
        // An empty path names no file, though it would come back.
        EXPECT_EQ(fitsOneIniLine(path), whole && !path.empty()) << '"' << path.substr(0, 40) << '"';
    }
}

// A hand-made settings file of a few megabytes that names thousands of tracks loads in a moment:
// the file is read once, not once per row.
TEST(ListSectionTest, ALargeFileWithManyRowsIsReadOnce) {
    std::string text = "[Custom Settings]\nOwnMusic=1\nMusicSum=2147483648\n";
    for (std::size_t i = 0; i < kMaxSavedTracks; ++i)
        text += "MusicList" + std::to_string(i) + "=/music/" + std::to_string(i) + ".mp3\n";
    text += "[Padding]\n";
    while (text.size() < (4u << 20))
        text += "Key" + std::to_string(text.size()) + "=" + std::string(200, 'v') + "\n";
    testsupport::writeFile(settingsFilePath(), text);

    const auto start = std::chrono::steady_clock::now();
    const ListSection list = readListSection(kCustomSettingsKeys, kMaxSavedTracks);
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(list.paths.size(), kMaxSavedTracks);
    EXPECT_EQ(list.paths.back(), "/music/" + std::to_string(kMaxSavedTracks - 1) + ".mp3");
    EXPECT_TRUE(list.on);
    EXPECT_LT(seconds, 10.0) << "reading each row from the file again takes minutes";
}

} // namespace
