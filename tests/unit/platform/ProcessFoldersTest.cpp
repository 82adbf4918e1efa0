// The saver's per-process asset folders: those of processes that are gone are removed at the next
// start; this process's folder and names no process can have are left alone, whatever they hold.
#include "support/TempDir.h"
#include "tank/platform/Folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace quelmarine;

namespace {

pid_t goneProcess() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST(ProcessFolders, OnlyFoldersOfGoneProcessesAreRemoved) {
    testsupport::TempDir runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    const std::string folder = privateRuntimeFolder();
    ASSERT_FALSE(folder.empty());
    const std::string own = processAssetFolder();
    ASSERT_FALSE(own.empty());
    struct Case {
        std::string name;
        bool kept;
    };
    const Case cases[] = {
        {std::string(kProcessFolderPrefix) + std::to_string(goneProcess()), false},
        {std::string(kProcessFolderPrefix) + "99999999999999999999999999", true},
        {std::string(kProcessFolderPrefix) + "4294967297", true},
        {std::string(kProcessFolderPrefix) + "0", true},
        {std::string(kProcessFolderPrefix) + "12x", true},
        {std::string(kProcessFolderPrefix), true},
        {"other-123", true},
    };
    for (const Case& c : cases)
        std::filesystem::create_directories(folder + c.name + "/inside");
    ASSERT_NO_THROW(removeStaleProcessFolders());
    EXPECT_TRUE(std::filesystem::is_directory(own)) << "this process's folder";
    for (const Case& c : cases)
        EXPECT_EQ(std::filesystem::exists(folder + c.name), c.kept) << c.name;
    removeProcessAssetFolder();
    EXPECT_FALSE(std::filesystem::exists(own));
}

} // namespace
