// A list of N rows loads and saves in time linear in N. Each case is timed at 256 and at 4096
// rows (the most a play list holds), the fastest of several runs each: sixteen times the rows
// may take at most 64 times as long (a load or save that looks every row up again from the top
// of the text takes about 256 times as long; a linear one 16 times, with room left for a
// loaded machine).

#include "tank/settings/ListSection.h"

#include "tank/settings/SettingsKeys.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace quelmarine;

namespace {

constexpr std::size_t kFewRows = 256, kManyRows = 4096;
constexpr double kMostGrowth = 64.0;

ListSection listOf(std::size_t rows) {
    ListSection list{kRepeatAll, true, {}};
    for (std::size_t i = 0; i < rows; ++i)
        list.paths.push_back("/home/user/music/track " + std::to_string(i) + ".mp3");
    return list;
}

// The text of a settings file with the list, the other sections around it.
std::string settingsText(std::size_t rows) {
    IniDocument document("[Aquarium Settings]\r\nQIPAONUM=100\r\n[Fish Number]\r\nFish0=3\r\n");
    writeListSection(document, kCustomSettingsKeys, listOf(rows));
    writeListSection(document, kCustomImagesKeys, ListSection{}, kImageTimeKey, "5");
    return document.bytes();
}

// The fastest of nine runs of `work`, in seconds.
double fastest(const std::function<void()>& work) {
    double best = 1e9;
    for (int run = 0; run < 9; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

double growth(const std::function<void(std::size_t)>& work) {
    const double few = fastest([&] { work(kFewRows); });
    const double many = fastest([&] { work(kManyRows); });
    return many / few;
}

TEST(ListSectionScaling, LoadIsLinearInTheRows) {
    const IniDocument few(settingsText(kFewRows)), many(settingsText(kManyRows));
    ASSERT_EQ(readListSection(many, kCustomSettingsKeys, kManyRows).paths, listOf(kManyRows).paths);
    const double ratio = growth([&](std::size_t rows) {
        const IniDocument& document = rows == kFewRows ? few : many;
        EXPECT_EQ(readListSection(document, kCustomSettingsKeys, rows).paths.size(), rows);
    });
    EXPECT_LT(ratio, kMostGrowth) << "ratio " << ratio;
}

TEST(ListSectionScaling, SavingANewListIsLinearInTheRows) {
    const double ratio = growth([](std::size_t rows) {
        IniDocument document("[Aquarium Settings]\nQIPAONUM=100\n");
        writeListSection(document, kCustomSettingsKeys, listOf(rows));
        EXPECT_TRUE(document.changed());
    });
    EXPECT_LT(ratio, kMostGrowth) << "ratio " << ratio;
}

TEST(ListSectionScaling, SavingOverAStoredListIsLinearInTheRows) {
    const IniDocument few(settingsText(kFewRows)), many(settingsText(kManyRows));
    const double ratio = growth([&](std::size_t rows) {
        IniDocument document = rows == kFewRows ? few : many;
        ListSection list = listOf(rows);
        list.paths.front() = "/home/user/music/first.mp3";
        writeListSection(document, kCustomSettingsKeys, list);
        EXPECT_TRUE(document.changed());
    });
    EXPECT_LT(ratio, kMostGrowth) << "ratio " << ratio;
}

} // namespace
