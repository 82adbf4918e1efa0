#include "tank/settings/IniFile.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quelmarine;
using testsupport::fileExists;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Makes every write beyond `bytes` in a file fail (as on a full disk) while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }

  private:
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
};

} // namespace

TEST(LoadIniFile, TellsMissingFromUnreadable) {
    TempDir dir;
    EXPECT_EQ(loadIniFile(dir.file("none.ini")).state, IniFileState::Missing);
    EXPECT_EQ(loadIniFile("").state, IniFileState::Unreadable);
    std::filesystem::create_directory(dir.file("folder.ini"));
    EXPECT_EQ(loadIniFile(dir.file("folder.ini")).state, IniFileState::Unreadable);
    ASSERT_EQ(::mkfifo(dir.file("pipe.ini").c_str(), 0600), 0);
    EXPECT_EQ(loadIniFile(dir.file("pipe.ini")).state, IniFileState::Unreadable); // no hang

    // An oversized file is not read into memory.
    writeFile(dir.file("huge.ini"), "[S]\nK=v\n");
    std::filesystem::resize_file(dir.file("huge.ini"), kMaxIniFileSize + 1);
    EXPECT_EQ(loadIniFile(dir.file("huge.ini")).state, IniFileState::Unreadable);

    writeFile(dir.file("a.ini"), "[S]\nK=v\n");
    LoadedIni loaded = loadIniFile(dir.file("a.ini"));
    EXPECT_EQ(loaded.state, IniFileState::Loaded);
    EXPECT_EQ(loaded.document.read("S", "K"), "v");
}

TEST(WriteFileAtomically, CreatesAndReplacesLeavingNoTemporaryFiles) {
    TempDir dir;
    const std::string path = dir.file("QuelmarineSet.ini");
    ASSERT_TRUE(writeFileAtomically(path, "[S]\nA=1\n"));
    EXPECT_EQ(readFile(path), "[S]\nA=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(path, "[S]\nA=2\n"));
    EXPECT_EQ(readFile(path), "[S]\nA=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u); // the user's permissions survive a rewrite
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"QuelmarineSet.ini"});
}

TEST(WriteFileAtomically, FailedWriteKeepsTheOldFileWhole) {
    TempDir dir;
    const std::string path = dir.file("QuelmarineSet.ini");
    const std::string old = "[Aquarium Settings]\nQIPAONUM=7\n";
    writeFile(path, old);
    {
        FileSizeLimit full(64);
        EXPECT_FALSE(writeFileAtomically(path, std::string(200, 'x')));
    }
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"QuelmarineSet.ini"});
}

TEST(WriteFileAtomically, FailsWithoutAFolderOrOverAFolder) {
    TempDir dir;
    EXPECT_FALSE(writeFileAtomically(dir.file("no/such/folder/x.ini"), "a"));
    EXPECT_FALSE(writeFileAtomically("", "a"));
    std::filesystem::create_directory(dir.file("taken"));
    writeFile(dir.file("taken/inside"), "keep");
    EXPECT_FALSE(writeFileAtomically(dir.file("taken"), "a"));
    EXPECT_EQ(readFile(dir.file("taken/inside")), "keep");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"taken"});
}

TEST(WriteFileAtomically, FollowsASymbolicLink) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    writeFile(dir.file("real/set.ini"), "old");
    std::filesystem::create_symlink(dir.file("real/set.ini"), dir.file("link.ini"));
    ASSERT_TRUE(writeFileAtomically(dir.file("link.ini"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(readFile(dir.file("real/set.ini")), "new");
}

TEST(WriteFileAtomically, RespectsPermissionsWhereTheyApply) {
    TempDir dir;
    const std::string path = dir.file("QuelmarineSet.ini");
    writeFile(path, "old");
    // Run without the super-user's rights, which permissions do not bind. Each fault sets a bit.
    const int faults = testsupport::runUnprivileged(dir.path(), [&] {
        int found = 0;
        if (::chmod(path.c_str(), 0444) != 0)
            return 64;
        found |= writeFileAtomically(path, "new") ? 1 : 0; // a read-only file stays as it is
        if (::chmod(path.c_str(), 0644) != 0 || ::chmod(dir.path().c_str(), 0500) != 0)
            return 64;
        found |= writeFileAtomically(path, "new") ? 2 : 0; // so does one in a read-only folder
        if (::chmod(dir.path().c_str(), 0700) != 0)
            return 64;
        found |= readFile(path) == "old" ? 0 : 4;
        return found;
    });
    EXPECT_EQ(faults, 0) << "1: read-only file replaced, 2: read-only folder written, "
                            "4: contents changed, 64: set-up failed, -1: could not drop rights";
}

// A copy left by a writer that was killed mid-write goes at the next start; copies of a running
// writer, of other files and names that only look alike stay.
TEST(RemoveAbandonedCopies, RemovesOnlyTheCopiesOfWritersThatAreGone) {
    TempDir dir;
    const std::string path = dir.file("QuelmarineSet.ini");
    writeFile(path, "[S]\nA=1\n");
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ASSERT_GT(gone, 0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string prefix = ".QuelmarineSet.ini.tmp-";
    const std::string dead = prefix + std::to_string(gone);
    const std::string alive = prefix + std::to_string(::getppid()) + "-0";
    for (const std::string& name : {dead + "-0", dead + "-17", alive, prefix + "x-0", prefix + "12",
                                    prefix + "99999999999999999999999-0", dead + "-1x",
                                    ".Other.ini.tmp-" + std::to_string(gone) + "-0"})
        writeFile(dir.file(name), "[S]\nA=");
    EXPECT_EQ(removeAbandonedCopies(path), 2);
    std::vector<std::string> kept{".Other.ini.tmp-" + std::to_string(gone) + "-0",
                                  dead + "-1x",
                                  alive,
                                  prefix + "12",
                                  prefix + "99999999999999999999999-0",
                                  prefix + "x-0",
                                  "QuelmarineSet.ini"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folderEntries(dir.path()), kept);
    EXPECT_EQ(readFile(path), "[S]\nA=1\n");
    EXPECT_EQ(removeAbandonedCopies(dir.file("no/such/folder/x.ini")), 0);
}
