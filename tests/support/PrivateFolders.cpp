// Gives every test process its own settings and runtime folders before any test runs, so that
// test processes running side by side never share asset files, locks or settings.
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>

namespace {

struct PrivateFolders {
    PrivateFolders() {
        const std::string config = dir.file("config"), runtime = dir.file("runtime");
        std::filesystem::create_directories(config);
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    testsupport::TempDir dir;
};

const PrivateFolders privateFolders;

} // namespace
