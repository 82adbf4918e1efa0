// The saver's command line: XScreenSaver's option spellings, values, and what is refused.
#include "saver/CommandLine.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace quelmarine::saver {
namespace {

ParsedCommandLine parse(std::vector<const char*> words) {
    words.insert(words.begin(), "quelmarine");
    return parseCommandLine(int(words.size()), words.data());
}

TEST(SaverCommandLine, AcceptsXScreenSaverSpellings) {
    struct Case {
        std::vector<const char*> words;
        DrawTarget target;
        unsigned long windowId;
        long delay;
        bool fps, sound, help;
    };
    const Case cases[] = {
        {{}, DrawTarget::OwnWindow, 0, 33333, false, false, false},
        {{"-root"}, DrawTarget::Root, 0, 33333, false, false, false},
        {{"--root", "--fps"}, DrawTarget::Root, 0, 33333, true, false, false},
        {{"-window-id", "0x400008"}, DrawTarget::WindowId, 0x400008, 33333, false, false, false},
        {{"--window-id=4194312"}, DrawTarget::WindowId, 4194312, 33333, false, false, false},
        {{"-window-id", "0X1F", "-window"},
         DrawTarget::OwnWindow,
         0x1f,
         33333,
         false,
         false,
         false},
        {{"--delay", "0", "--sound"}, DrawTarget::OwnWindow, 0, 0, false, true, false},
        {{"-delay=25000", "-root"}, DrawTarget::Root, 0, 25000, false, false, false},
        {{"--help"}, DrawTarget::OwnWindow, 0, 33333, false, false, true},
        {{"-h"}, DrawTarget::OwnWindow, 0, 33333, false, false, true},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = parse(c.words);
        SCOPED_TRACE(c.words.empty() ? "(none)" : c.words[0]);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.options.target, c.target);
        if (c.windowId) {
            EXPECT_EQ(parsed.options.windowId, c.windowId);
        }
        EXPECT_EQ(parsed.options.delayMicroseconds, c.delay);
        EXPECT_EQ(parsed.options.showFps, c.fps);
        EXPECT_EQ(parsed.options.sound, c.sound);
        EXPECT_EQ(parsed.options.help, c.help);
    }
    EXPECT_EQ(parse({"-display", ":7"}).options.display, ":7");
}

TEST(SaverCommandLine, RefusesWhatItDoesNotKnow) {
    const std::vector<std::vector<const char*>> wrong = {
        {"--bogus"},
        {"root"},
        {"-window-id"},
        {"-window-id", "0"},
        {"-window-id", "0x"},
        {"-window-id", "12ab"},
        {"-window-id", "-5"},
        {"--delay"},
        {"--delay", "-1"},
        {"--delay", "fast"},
        {"--delay", "10000001"},
        {"--fps=1"},
        {"-root=yes"},
        {"-display", ""},
    };
    for (const auto& words : wrong) {
        const ParsedCommandLine parsed = parse(words);
        EXPECT_FALSE(parsed.ok) << words[0];
        EXPECT_FALSE(parsed.error.empty()) << words[0];
    }
    // The message for a wrong command line is one line that names the option and the usage.
    const std::string line = usageLine("quelmarine", parse({"--bogus"}).error);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find("--bogus"), std::string::npos);
    EXPECT_NE(line.find("-window-id ID"), std::string::npos);
}

// Every row of the option table is in the usage line and in --help with its help, and is read
// with one dash or two (and by its alias); a flag refuses "=value", and an option with a value
// reads it after '=' as it does as the next word.
TEST(SaverCommandLine, EveryOptionIsShownAndReadWithOneDashOrTwo) {
    const std::string usage = usageLine("quelmarine", "wrong");
    const std::string help = helpText("quelmarine");
    std::set<std::string_view> names;
    for (const CommandLineOption& option : commandLineOptions()) {
        const std::string name(option.name);
        SCOPED_TRACE(name);
        const bool flag = option.setFlag != nullptr;
        EXPECT_NE(flag, option.setValue != nullptr);
        EXPECT_EQ(flag, option.argument.empty());

        const std::string dash = option.dashes == Dashes::Two ? "--" : "-";
        const std::string argument = flag ? "" : " " + std::string(option.argument);
        EXPECT_TRUE(std::regex_search(
            usage, std::regex("(\\[|\\| )" + dash + name + argument + "( \\||\\])")))
            << usage;
        const std::string both = option.dashes == Dashes::OneAndTwo ? ", --" + name : "";
        const std::string shown = "\n  " + dash + name + both + argument + "  ";
        const std::size_t row = help.find(shown);
        ASSERT_NE(row, std::string::npos) << help;
        const std::string firstLine(option.help.substr(0, option.help.find('\n')));
        EXPECT_EQ(help.find_first_not_of(' ', row + shown.size()), help.find(firstLine, row));

        for (const std::string_view spelling : {option.name, option.alias}) {
            if (spelling.empty())
                continue;
            EXPECT_TRUE(names.insert(spelling).second) << "two rows are called " << spelling;
            const std::string one = "-" + std::string(spelling), two = "-" + one;
            const ParsedCommandLine byOne = parse({one.c_str()});
            const ParsedCommandLine byTwo = parse({two.c_str()});
            EXPECT_EQ(byOne.ok, flag);
            EXPECT_EQ(byOne.ok, byTwo.ok);
            EXPECT_EQ(byOne.error, byTwo.error);
            EXPECT_EQ(byOne.options, byTwo.options);
            EXPECT_EQ(byOne.error.find("unknown option"), std::string::npos) << byOne.error;

            const std::string withValue = two + "=:1";
            const ParsedCommandLine inWord = parse({withValue.c_str()});
            if (flag) {
                EXPECT_EQ(inWord.error, "unknown option '" + withValue + "'");
            } else {
                const ParsedCommandLine nextWord = parse({one.c_str(), ":1"});
                EXPECT_EQ(inWord.ok, nextWord.ok);
                EXPECT_EQ(inWord.error, nextWord.error);
                EXPECT_EQ(inWord.options, nextWord.options);
            }
        }
    }
}

// quelmarine-saver reads the same table without the rows that name a window: it refuses them
// as unknown, and its usage line and --help offer only what it reads.
TEST(SaverCommandLine, TheIdleSaverReadsTheRowsWithoutAWindow) {
    auto parseIdle = [](std::vector<const char*> words) {
        words.insert(words.begin(), "quelmarine-saver");
        return parseCommandLine(int(words.size()), words.data(), Host::IdleDaemon);
    };
    const ParsedCommandLine read =
        parseIdle({"--delay=20000", "--fps", "-sound", "-display", ":3", "--help"});
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.options.delayMicroseconds, 20000);
    EXPECT_TRUE(read.options.showFps && read.options.sound && read.options.help);
    EXPECT_EQ(read.options.display, ":3");

    const std::string usage = usageLine("quelmarine-saver", "wrong", Host::IdleDaemon);
    const std::string help = helpText("quelmarine-saver", Host::IdleDaemon);
    EXPECT_EQ(usage,
              "quelmarine-saver: wrong; usage: quelmarine-saver [--delay MICROSECONDS] [--fps] "
              "[--sound] [-display NAME] [--help]");
    for (const CommandLineOption& option : commandLineOptions()) {
        const std::string one = "-" + std::string(option.name);
        SCOPED_TRACE(one);
        EXPECT_EQ(readBy(option, Host::IdleDaemon), !option.xscreensaverOnly);
        if (!option.xscreensaverOnly)
            continue;
        const ParsedCommandLine refused = parseIdle({one.c_str(), "0x20"});
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.error, "unknown option '" + one + "'");
        EXPECT_EQ(help.find("\n  " + one), std::string::npos) << help;
    }
    EXPECT_NE(help.find("\n  --delay MICROSECONDS"), std::string::npos) << help;
}

TEST(SaverCommandLine, ReadsWindowIdsAsTheDaemonWritesThem) {
    EXPECT_EQ(parseWindowId("0x400008"), 0x400008ul);
    EXPECT_EQ(parseWindowId("0xffffffff"), 0xfffffffful);
    EXPECT_EQ(parseWindowId("123"), 123ul);
    EXPECT_EQ(parseWindowId(""), 0ul);
    EXPECT_EQ(parseWindowId(" 12"), 0ul);
    EXPECT_EQ(parseWindowId("0x12345678901234567"), 0ul);
}

} // namespace
} // namespace quelmarine::saver
