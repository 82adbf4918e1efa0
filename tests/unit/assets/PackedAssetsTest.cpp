#include "tank/assets/PackedAssets.h"
#include "support/TempDir.h"
#include "tank/assets/ScrambleKey.h"
#include "tank/platform/Folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace quelmarine;
using testsupport::fileExists;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

std::vector<unsigned char> scramble(const std::string& plain) {
    std::vector<unsigned char> packed(plain.begin(), plain.end());
    for (std::size_t i = 0; i < packed.size(); ++i)
        packed[i] = static_cast<unsigned char>(packed[i] - scrambleKeyFor(i));
    return packed;
}

struct FakeTable {
    explicit FakeTable(const std::string& plain, std::uint16_t id = 7) : bytes(scramble(plain)) {
        entry = {id, bytes.data(), bytes.data() + bytes.size()};
    }
    std::span<const PackedResource> table() const { return {&entry, 1}; }
    std::vector<unsigned char> bytes;
    PackedResource entry{};
};

} // namespace

TEST(ScrambleKey, FirstByteUsesKeyOneAndByte49UsesKeyZero) {
    constexpr auto key = buildScrambleKey();
    EXPECT_EQ(scrambleKeyFor(0), key[1]);
    EXPECT_EQ(scrambleKeyFor(48), key[49]);
    EXPECT_EQ(scrambleKeyFor(49), key[0]);
    EXPECT_EQ(scrambleKeyFor(50), key[1]);
}

TEST(PackedAssetNames, OnlyExactMusicIsAWaveFile) {
    EXPECT_EQ(plainAssetPath("/d/", "Music"), "/d/Music.wav");
    EXPECT_EQ(plainAssetPath("/d/", "music"), "/d/music.bmp");
    EXPECT_EQ(plainAssetPath("/d/", "fish17"), "/d/fish17.bmp");
    EXPECT_EQ(packedAssetPath("/d/", "BackGround0"), "/d/BackGround0.ad");
}

TEST(ExtractPackedAsset, RoundTripsEveryByteValueAcrossKeyWraps) {
    std::string plain;
    for (int i = 0; i < 1000; ++i)
        plain.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    FakeTable fake(plain);
    TempDir dir;
    ASSERT_TRUE(extractPackedAsset(7, dir.path(), "fish3", fake.table()));
    EXPECT_EQ(readFile(dir.file("fish3.bmp")), plain);
    EXPECT_EQ(readFile(dir.file("fish3.ad")).size(), plain.size());
}

TEST(ExtractPackedAsset, EmptyResourceGivesTwoEmptyFiles) {
    FakeTable fake("");
    TempDir dir;
    ASSERT_TRUE(extractPackedAsset(7, dir.path(), "Music", fake.table()));
    EXPECT_TRUE(fileExists(dir.file("Music.ad")));
    EXPECT_TRUE(fileExists(dir.file("Music.wav")));
    EXPECT_EQ(readFile(dir.file("Music.wav")), "");
}

TEST(ExtractPackedAsset, UnknownIdOrNoFolderWritesNothing) {
    FakeTable fake("abc");
    TempDir dir;
    EXPECT_FALSE(extractPackedAsset(8, dir.path(), "x", fake.table()));
    EXPECT_FALSE(fileExists(dir.file("x.ad")));
    EXPECT_FALSE(fileExists(dir.file("x.bmp")));
    EXPECT_FALSE(extractPackedAsset(7, "", "x", fake.table()));
}

TEST(ExtractPackedAsset, StaleLongerPackedFileIsTruncated) {
    FakeTable fake("short");
    TempDir dir;
    writeFile(dir.file("a.ad"), std::string(4096, 'Z'));
    writeFile(dir.file("a.bmp"), std::string(4096, 'Z'));
    ASSERT_TRUE(extractPackedAsset(7, dir.path(), "a", fake.table()));
    EXPECT_EQ(readFile(dir.file("a.ad")).size(), 5u);
    EXPECT_EQ(readFile(dir.file("a.bmp")), "short");
}

TEST(ExtractPackedAsset, DoesNotFollowPlantedLinks) {
    FakeTable fake("secret");
    TempDir dir, elsewhere;
    const std::string victim = elsewhere.file("victim");
    writeFile(victim, "untouched");
    ASSERT_EQ(::symlink(victim.c_str(), dir.file("b.bmp").c_str()), 0);
    extractPackedAsset(7, dir.path(), "b", fake.table());
    EXPECT_EQ(readFile(victim), "untouched");
}

TEST(UnscramblePackedAsset, MissingPackedFileCarriesOn) {
    TempDir dir;
    testing::internal::CaptureStderr();
    unscramblePackedAsset(dir.path(), "nothing");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "cannot open infile\n");
    EXPECT_FALSE(fileExists(dir.file("nothing.bmp")));
}

TEST(UnscramblePackedAsset, UnwritablePlainFileCarriesOn) {
    TempDir dir;
    writeFile(dir.file("c.ad"), "xyz");
    ASSERT_EQ(::mkdir(dir.file("c.bmp").c_str(), 0700), 0); // a folder where the file should go
    testing::internal::CaptureStderr();
    unscramblePackedAsset(dir.path(), "c");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), " cannot open outfile\n");
}

TEST(WithPackedAsset, DeletesBothFilesAfterUse) {
    TempDir runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    const auto& table = builtInResources();
    bool used = false;
    std::string seen;
    withPackedAsset(privateRuntimeFolder(), table.empty() ? 1 : table[0].id, "probe",
                    [&](const std::string& plain) {
                        used = true;
                        seen = plain;
                    });
    EXPECT_TRUE(used);
    EXPECT_EQ(seen, runtime.path() + "QuelmarineScr/probe.bmp");
    EXPECT_FALSE(fileExists(runtime.path() + "QuelmarineScr/probe.ad"));
    EXPECT_FALSE(fileExists(seen));
}

// Unpacking gives the program's pages of a built-in resource back to the kernel; unpacking it
// again must still give every byte.
TEST(ExtractPackedAsset, BuiltInResourceUnpacksTheSameTwice) {
    TempDir dir;
    const auto& table = builtInResources();
    ASSERT_FALSE(table.empty());
    const PackedResource* largest = &table[0];
    for (const PackedResource& r : table)
        if (r.size() > largest->size())
            largest = &r;
    ASSERT_TRUE(extractPackedAsset(largest->id, dir.path(), "first"));
    ASSERT_TRUE(extractPackedAsset(largest->id, dir.path(), "second"));
    const std::string first = readFile(plainAssetPath(dir.path(), "first"));
    EXPECT_EQ(first.size(), largest->size());
    EXPECT_EQ(first, readFile(plainAssetPath(dir.path(), "second")));
}
