#include "tank/settings/SettingsLoad.h"
#include "support/TempDir.h"
#include "tank/settings/SettingsFile.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace quelmarine;
using testsupport::fileExists;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// The whole "Aquarium Settings" section a first start writes, in order.
const std::string kFreshAquariumSection = "[Aquarium Settings]\n"
                                          "Show Water=0\n"
                                          "Show Light=0\n"
                                          "Show Terra=1\n"
                                          "FRONT GUDING=1\n"
                                          "FRONTCOLOR=16777215\n"
                                          "FRONT MANJIANBIAN=0\n"
                                          "FRONT COLOR1=16777215\n"
                                          "FRONT COLOR2=16777215\n"
                                          "FRONT AUTOJIANBIAN=0\n"
                                          "CHECK LOCKFORE=0\n"
                                          "LOCKFORE ROT=0\n"
                                          "BACK GUDING=1\n"
                                          "BACKCOLOR=0\n"
                                          "BACK MANJIANBIAN=0\n"
                                          "BACK COLOR1=65280\n"
                                          "BACK COLOR2=0\n"
                                          "BACK AUTOJIANBIAN=0\n"
                                          "CHECK LOCKBACK=0\n"
                                          "LOCKBACK ROT=0\n"
                                          "YINLIANG=32767.5\n"
                                          "QIPAONUM=100\n"
                                          "BACKGROUND=0\n"
                                          "FOGNONGDU=25\n"
                                          "LIGHTQIANGDU=0\n"
                                          "CHECK VIEWS=1\n"
                                          "VIEWSLEFTRIGHT=0\n"
                                          "VIEWSNEARFAR=0\n";

const std::string kFishSection = "[Fish Number]\nFish0=1\nFish1=2\nFish2=3\nFish3=4\nFish4=5\n";

// Replaces the line starting with `prefix` in `text`.
std::string withLine(std::string text, const std::string& prefix, const std::string& line) {
    std::size_t at = text.find("\n" + prefix);
    EXPECT_NE(at, std::string::npos) << prefix;
    std::size_t end = text.find('\n', at + 1);
    return text.replace(at + 1, end - at - 1, line);
}

// Gives each test its own configuration folder through XDG_CONFIG_HOME, and a known state of
// the record and of the random sequence.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadOld = old != nullptr;
        if (hadOld)
            oldConfig = old;
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
        AquariumSettings = {};
        std::srand(1); // the sequence of a program that never seeds
    }
    void TearDown() override {
        if (hadOld)
            ::setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        AquariumSettings = {};
        std::srand(1);
    }
    std::string folder() const { return config.path() + "QuelmarineScr/"; }
    std::string path() const { return folder() + "QuelmarineSet.ini"; }
    void store(const std::string& text) {
        std::filesystem::create_directories(folder());
        writeFile(path(), text);
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempDir config;
    bool hadOld = false;
    std::string oldConfig;
};

} // namespace

TEST_F(SettingsFileTest, PathIsTheFileInTheConfigurationFolder) {
    EXPECT_EQ(settingsFilePath(), path());
    EXPECT_TRUE(std::filesystem::is_directory(folder()));
}

TEST_F(SettingsFileTest, FirstStartCreatesEveryKeyInOrder) {
    int draws[5];
    for (int& r : draws)
        r = std::rand() % 2;
    std::srand(1);

    loadSettingsAtStartup();

    std::string fish = "[Fish Number]\n";
    for (int i = 0; i < 5; ++i)
        fish += "Fish" + std::to_string(i) + "=" + std::to_string(draws[i]) + "\n";
    EXPECT_EQ(readFile(path()), kFreshAquariumSection + fish);

    const AquariumSettingsRecord& s = AquariumSettings;
    EXPECT_EQ(s.showTerra, 1);
    EXPECT_EQ(s.backFixed, 1);
    EXPECT_EQ(s.backColor, 0);
    EXPECT_EQ(s.backGradual, 0);
    EXPECT_EQ(s.backColor1, 65280);
    EXPECT_EQ(s.backColor2, 0);
    EXPECT_EQ(s.backAutoGradual, 0);
    EXPECT_EQ(s.lockBack, 0);
    EXPECT_EQ(s.lockBackRot, 0.0f);
    EXPECT_EQ(s.volume, 32767);
    EXPECT_EQ(s.bubbleCount, 100);
    EXPECT_EQ(s.background, 0);
    EXPECT_EQ(s.lightDim, 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.fishCount[i], draws[i]);
}

TEST_F(SettingsFileTest, CompleteValidFileIsReadWithoutRewriting) {
    std::string text = kFreshAquariumSection + kFishSection;
    text = withLine(text, "BACK COLOR1=", "BACK COLOR1=255");
    text = withLine(text, "BACK COLOR2=", "BACK COLOR2=16711680");
    text = withLine(text, "BACK MANJIANBIAN=", "BACK MANJIANBIAN=1");
    text = withLine(text, "CHECK LOCKBACK=", "CHECK LOCKBACK=1");
    text = withLine(text, "YINLIANG=", "YINLIANG=1000");
    text = withLine(text, "QIPAONUM=", "QIPAONUM=30");
    text = withLine(text, "BACKGROUND=", "BACKGROUND=2");
    text = withLine(text, "LIGHTQIANGDU=", "LIGHTQIANGDU=100");
    store(text);
    struct stat before {};
    ASSERT_EQ(::stat(path().c_str(), &before), 0);

    loadSettingsAtStartup();

    struct stat after {};
    ASSERT_EQ(::stat(path().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino); // not replaced
    EXPECT_EQ(readFile(path()), text);
    const int next = std::rand();
    std::srand(1);
    EXPECT_EQ(next, std::rand()); // the load drew no number
    const AquariumSettingsRecord& s = AquariumSettings;
    EXPECT_EQ(s.backColor1, 255);
    EXPECT_EQ(s.backColor2, 16711680);
    EXPECT_EQ(s.backGradual, 1);
    EXPECT_EQ(s.lockBack, 1);
    EXPECT_EQ(s.volume, 1000);
    EXPECT_EQ(s.bubbleCount, 30);
    EXPECT_EQ(s.background, 2);
    EXPECT_EQ(s.lightDim, 100);
    const int expected[5] = {1, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.fishCount[i], expected[i]);
}

TEST_F(SettingsFileTest, ForcedKeysFallBackAtEveryStart) {
    std::string text = kFreshAquariumSection + kFishSection;
    text = withLine(text, "Show Water=", "Show Water=1");
    text = withLine(text, "Show Terra=", "Show Terra=0");
    text = withLine(text, "BACK GUDING=", "BACK GUDING=0");
    text = withLine(text, "BACKCOLOR=", "BACKCOLOR=255");
    text = withLine(text, "BACK AUTOJIANBIAN=", "BACK AUTOJIANBIAN=1");
    store(text);

    loadSettingsAtStartup();

    EXPECT_EQ(readFile(path()), kFreshAquariumSection + kFishSection);
    EXPECT_EQ(AquariumSettings.showTerra, 1);
    EXPECT_EQ(AquariumSettings.backFixed, 1);
    EXPECT_EQ(AquariumSettings.backColor, 0);
    EXPECT_EQ(AquariumSettings.backAutoGradual, 0);
}

TEST_F(SettingsFileTest, FogAndLightOutsideTheirRangesAreRepaired) {
    struct Case {
        const char* fog;
        const char* light;
        const char* fogAfter;
        const char* lightAfter;
        int lightDim;
    };
    const Case cases[] = {
        {"FOGNONGDU=30", "LIGHTQIANGDU=101", "FOGNONGDU=25", "LIGHTQIANGDU=0", 0},
        {"FOGNONGDU=-1", "LIGHTQIANGDU=-1", "FOGNONGDU=25", "LIGHTQIANGDU=0", 0},
        {"FOGNONGDU=25", "LIGHTQIANGDU=100", "FOGNONGDU=25", "LIGHTQIANGDU=100", 100},
        {"FOGNONGDU=0", "LIGHTQIANGDU=37", "FOGNONGDU=0", "LIGHTQIANGDU=37", 37},
        {"FOGNONGDU=", "LIGHTQIANGDU=", "FOGNONGDU=25", "LIGHTQIANGDU=0", 0},
        // Text that parses as 0 lies in range and stays.
        {"FOGNONGDU=abc", "LIGHTQIANGDU=abc", "FOGNONGDU=abc", "LIGHTQIANGDU=abc", 0},
    };
    for (const Case& c : cases) {
        std::string text = kFreshAquariumSection + kFishSection;
        text = withLine(text, "FOGNONGDU=", c.fog);
        text = withLine(text, "LIGHTQIANGDU=", c.light);
        store(text);
        AquariumSettings.lightDim = -5;
        loadSettingsAtStartup();
        std::string expected = withLine(text, "FOGNONGDU=", c.fogAfter);
        expected = withLine(expected, "LIGHTQIANGDU=", c.lightAfter);
        EXPECT_EQ(readFile(path()), expected) << c.fog << " " << c.light;
        EXPECT_EQ(AquariumSettings.lightDim, c.lightDim) << c.light;
    }
}

TEST_F(SettingsFileTest, ValuesAreParsedLikeAtoi) {
    std::string text = kFreshAquariumSection + kFishSection;
    text = withLine(text, "LOCKBACK ROT=", "LOCKBACK ROT=123.6");
    text = withLine(text, "QIPAONUM=", "QIPAONUM=abc");
    text = withLine(text, "YINLIANG=", "YINLIANG=  -40000xyz");
    text = withLine(text, "BACK COLOR1=", "BACK COLOR1=99999999999");
    store(text);

    loadSettingsAtStartup();

    EXPECT_EQ(readFile(path()), text);
    EXPECT_EQ(AquariumSettings.lockBackRot, 123.0f);
    EXPECT_EQ(AquariumSettings.bubbleCount, 0);
    EXPECT_EQ(AquariumSettings.volume, -40000);
    EXPECT_EQ(AquariumSettings.backColor1, 2147483647);
}

TEST_F(SettingsFileTest, EmptyValueIsRewrittenInPlaceLikeAMissingKey) {
    std::string text = withLine(kFreshAquariumSection + kFishSection, "QIPAONUM=", "QIPAONUM=");
    store(text);
    loadSettingsAtStartup();
    EXPECT_EQ(readFile(path()), kFreshAquariumSection + kFishSection);
    EXPECT_EQ(AquariumSettings.bubbleCount, 100);
}

TEST_F(SettingsFileTest, FishCountsAreBoundedInTheRecordOnly) {
    std::string text =
        kFreshAquariumSection + "[Fish Number]\nFish0=-3\nFish1=25\nFish2=26\nFish3=40\nFish4=0\n";
    store(text);
    loadSettingsAtStartup();
    EXPECT_EQ(readFile(path()), text);
    const int expected[5] = {0, 25, 25, 25, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(AquariumSettings.fishCount[i], expected[i]) << i;
}

TEST_F(SettingsFileTest, EachMissingFishCountDrawsExactlyOneRandomNumber) {
    std::srand(77);
    int draws[4];
    for (int& r : draws)
        r = std::rand();
    std::srand(77);
    store(kFreshAquariumSection + "[Fish Number]\nFish0=3\nFish2=4\n");

    loadSettingsAtStartup();

    EXPECT_EQ(std::rand(), draws[3]);
    EXPECT_EQ(readFile(path()), kFreshAquariumSection + "[Fish Number]\nFish0=3\nFish2=4\n" +
                                    "Fish1=" + std::to_string(draws[0] % 2) + "\n" +
                                    "Fish3=" + std::to_string(draws[1] % 2) + "\n" +
                                    "Fish4=" + std::to_string(draws[2] % 2) + "\n");
    EXPECT_EQ(AquariumSettings.fishCount[0], 3);
    EXPECT_EQ(AquariumSettings.fishCount[1], draws[0] % 2);
    EXPECT_EQ(AquariumSettings.fishCount[2], 4);
    EXPECT_EQ(AquariumSettings.fishCount[4], draws[2] % 2);
}

TEST_F(SettingsFileTest, HandEditedFileKeepsItsShapeAndLineEnds) {
    // Lower-case names, blanks, a comment, CRLF lines, a byte order mark and other sections.
    const std::string text = "\xEF\xBB\xBF; my aquarium\r\n"
                             "[custom images]\r\nImageSum=0\r\n\r\n"
                             "[ aquarium settings ]\r\n qipaonum = 50 \r\nshow water=1\r\n"
                             "Yinliang=10\r\nYINLIANG=20\r\n\r\n"
                             "[fish number]\r\nfish2 = 7\r\n";
    store(text);
    loadSettingsAtStartup();
    const std::string after = readFile(path());

    EXPECT_EQ(AquariumSettings.bubbleCount, 50);
    EXPECT_EQ(AquariumSettings.volume, 10); // the first of two duplicates
    EXPECT_EQ(AquariumSettings.fishCount[2], 7);
    ASSERT_EQ(after.rfind("\xEF\xBB\xBF; my aquarium\r\n[custom images]\r\nImageSum=0\r\n\r\n"
                          "[ aquarium settings ]\r\n qipaonum = 50 \r\nshow water=0\r\n"
                          "Yinliang=10\r\nYINLIANG=20\r\nShow Light=0\r\nShow Terra=1\r\n",
                          0),
              0u)
        << after;
    EXPECT_NE(after.find("VIEWSNEARFAR=0\r\n\r\n[fish number]\r\nfish2 = 7\r\nFish0="),
              std::string::npos)
        << after;
    // Every line still ends in CRLF, and no section or key was duplicated.
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == '\n') {
            ASSERT_EQ(after[i - 1], '\r') << i;
        }
    }
    EXPECT_EQ(after.find("[Aquarium Settings]"), std::string::npos);
    EXPECT_EQ(after.find("QIPAONUM"), std::string::npos);
    EXPECT_EQ(after.find("Fish2"), std::string::npos);
}

TEST_F(SettingsFileTest, BinaryGarbageNeverStopsTheLoad) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.push_back(char((i * 131 + 7) % 256));
    store(garbage);
    loadSettingsAtStartup();
    EXPECT_EQ(AquariumSettings.bubbleCount, 100);
    EXPECT_EQ(AquariumSettings.showTerra, 1);
    const std::string after = readFile(path());
    EXPECT_EQ(after.substr(0, garbage.size()), garbage); // the garbage itself is kept
    AquariumSettings = {};
    loadSettingsAtStartup(); // and the second start reads what the first wrote
    EXPECT_EQ(readFile(path()), after);
    EXPECT_EQ(AquariumSettings.bubbleCount, 100);
}

TEST_F(SettingsFileTest, LongValueIsReadAsItsFirst127Characters) {
    const std::string long130 = std::string(100, 'p') + std::string(30, 'q');
    store("[Custom Settings]\nMusicList0=" + long130 + "\n");
    EXPECT_EQ(readIniString("Custom Settings", "MusicList0"), long130.substr(0, 127));
    EXPECT_EQ(readIniString("custom settings", "musiclist0", 4096), long130);
}

TEST_F(SettingsFileTest, DialogSectionsReadAndWriteThroughTheSameFile) {
    EXPECT_EQ(readIniString("Custom Images", "ImageSum"), "");
    EXPECT_EQ(readIniInt("Custom Images", "ImageSum"), 0);
    EXPECT_TRUE(writeIniInt("Custom Images", "RandomImage", 1));
    EXPECT_TRUE(writeIniString("Custom Images", "ImageTime", "5"));
    EXPECT_TRUE(writeIniInt("Fish Number", "Fish0", -2));
    EXPECT_TRUE(writeIniInt("Custom Images", "RandomImage", 0));
    EXPECT_EQ(readFile(path()), "[Custom Images]\nRandomImage=0\nImageTime=5\n"
                                "[Fish Number]\nFish0=-2\n");
    EXPECT_EQ(readIniInt("custom images", "imagetime"), 5);
    EXPECT_FALSE(writeIniString("Custom Images", "ImageList0", "/a\n[Fish Number]"));

    bool ran = false;
    EXPECT_TRUE(updateSettingsFile([&](IniDocument& doc) {
        ran = true;
        EXPECT_EQ(doc.read("Custom Images", "ImageTime"), "5");
        doc.write("Custom Settings", "MusicSum", "2");
        doc.write("Custom Settings", "MusicList0", "/m/a.mp3");
        doc.write("Custom Settings", "MusicList1", "/m/b.mp3");
    }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(readIniString("Custom Settings", "MusicList1"), "/m/b.mp3");
    EXPECT_EQ(entries(), std::vector<std::string>{"QuelmarineSet.ini"});
}

TEST_F(SettingsFileTest, WithoutASettingsFolderDefaultsApplyInMemory) {
    // The settings folder's name is taken by a file, so no folder can be made.
    writeFile(config.file("QuelmarineScr"), "not a folder");
    EXPECT_EQ(settingsFilePath(), "");
    EXPECT_EQ(readIniString("Aquarium Settings", "QIPAONUM"), "");
    EXPECT_FALSE(writeIniString("Aquarium Settings", "QIPAONUM", "3"));
    loadSettingsAtStartup();
    EXPECT_EQ(AquariumSettings.bubbleCount, 100);
    EXPECT_EQ(AquariumSettings.volume, 32767);
    EXPECT_EQ(AquariumSettings.showTerra, 1);
    EXPECT_EQ(readFile(config.file("QuelmarineScr")), "not a folder");
}

TEST_F(SettingsFileTest, UnwritableFileKeepsItsOldTextAndDefaultsApplyInMemory) {
    const std::string old = "[Aquarium Settings]\nQIPAONUM=\nYINLIANG=5\n";
    store(old);
    {
        // Writes stop after a few bytes, as on a full disk.
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 32;
        setrlimit(RLIMIT_FSIZE, &limited);
        loadSettingsAtStartup();
        EXPECT_FALSE(writeIniString("Custom Images", "ImageSum", std::string(100, '1')));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }
    EXPECT_EQ(readFile(path()), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"QuelmarineSet.ini"});
    EXPECT_EQ(AquariumSettings.bubbleCount, 100);
    EXPECT_EQ(AquariumSettings.volume, 5);
}

TEST_F(SettingsFileTest, UnreadableFileIsNeverReplaced) {
    std::filesystem::create_directories(path()); // a folder where the file should be
    writeFile(path() + "/keep", "x");
    loadSettingsAtStartup();
    EXPECT_EQ(AquariumSettings.bubbleCount, 100);
    EXPECT_FALSE(writeIniString("Custom Images", "ImageSum", "1"));
    EXPECT_EQ(readFile(path() + "/keep"), "x");
}

TEST(ApplyFishCounts, BoundsEachCountToTheTank) {
    const int counts[5] = {30, -1, 3, 0, 25};
    applyFishCounts(counts);
    const int expected[5] = {25, 0, 3, 0, 25};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(AquariumSettings.fishCount[i], expected[i]);
    AquariumSettings = {};
}

// The screensaver's load: the same record as the start-up load, without a byte written (not
// even the settings folder), for no file, a partial hand-edited file and a complete one.
TEST_F(SettingsFileTest, ReadOnlyLoadGivesTheStartupValuesAndWritesNothing) {
    const std::string partial = "[Aquarium Settings]\r\nQIPAONUM=40\r\nLIGHTQIANGDU=300\r\n"
                                "Show Terra=0\r\n[Fish Number]\r\nFish1=30\r\nFish3=2\r\n";
    const std::string complete = kFreshAquariumSection + kFishSection;
    for (const std::string* text : {(const std::string*)nullptr, &partial, &complete}) {
        std::filesystem::remove_all(folder());
        if (text)
            store(*text);
        std::srand(1);
        loadSettingsReadOnly();
        const AquariumSettingsRecord readOnly = AquariumSettings;
        if (!text) {
            EXPECT_FALSE(std::filesystem::exists(folder())) << "the folder was created";
        } else {
            EXPECT_EQ(readFile(path()), *text) << "the file was changed";
            EXPECT_EQ(entries().size(), 1u) << "something was written beside the file";
        }
        AquariumSettings = {};
        std::srand(1);
        loadSettingsAtStartup(); // the desktop program's load, which repairs the file
        EXPECT_EQ(std::memcmp(&readOnly, &AquariumSettings, sizeof readOnly), 0)
            << (text ? text->substr(0, 30) : "no file");
        EXPECT_TRUE(fileExists(path()));
    }
}
