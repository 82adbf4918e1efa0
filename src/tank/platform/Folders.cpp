#include "tank/platform/Folders.h"

#include "tank/platform/ProgramNames.h"
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace quelmarine {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string withSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path.push_back('/');
    return path;
}

} // namespace

bool ensurePrivateFolder(const std::string& path) {
    if (path.empty())
        return false;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    return (info.st_mode & 0077) == 0;
}

std::string privateRuntimeFolder() {
    std::string base = environmentValue("XDG_RUNTIME_DIR");
    std::string folder;
    if (!base.empty() && base.front() == '/') {
        folder = withSlash(base) + kApplicationName;
    } else {
        std::error_code error;
        auto temp = std::filesystem::temp_directory_path(error);
        if (error)
            return {};
        folder = withSlash(temp.string()) + kApplicationName + "-" + std::to_string(::getuid());
    }
    return ensurePrivateFolder(folder) ? withSlash(folder) : std::string();
}

std::string settingsFolderPath() {
    std::string base = environmentValue("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        std::string home = environmentValue("HOME");
        if (home.empty())
            return {};
        base = withSlash(home) + ".config";
    }
    return withSlash(base) + kApplicationName + "/";
}

std::string settingsFolder() {
    const std::string folder = settingsFolderPath();
    if (folder.empty())
        return {};
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error))
        return {};
    return folder;
}

std::string processAssetFolder() {
    const std::string runtime = privateRuntimeFolder();
    if (runtime.empty())
        return {};
    const std::string folder = runtime + kProcessFolderPrefix + std::to_string(::getpid());
    return ensurePrivateFolder(folder) ? withSlash(folder) : std::string();
}

void removeProcessAssetFolder() {
    const std::string runtime = privateRuntimeFolder();
    if (runtime.empty())
        return;
    std::error_code error;
    std::filesystem::remove_all(runtime + kProcessFolderPrefix + std::to_string(::getpid()), error);
}

void removeStaleProcessFolders() {
    const std::string runtime = privateRuntimeFolder();
    if (runtime.empty())
        return;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(runtime, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kProcessFolderPrefix, 0) != 0)
            continue;
        const std::string digits = name.substr(std::string_view(kProcessFolderPrefix).size());
        // Only names a process id can have: anything else (too many digits included) is not a
        // folder of ours, and is left alone.
        long long number = 0;
        const auto [end, failure] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (digits.empty() || failure != std::errc() || end != digits.data() + digits.size() ||
            number <= 0 || number > std::numeric_limits<pid_t>::max())
            continue;
        const pid_t pid = pid_t(number);
        // A process that is gone (or never was) no longer needs its folder.
        if (::kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }
}

bool temporaryFolderExists() {
    std::error_code error;
    auto temp = std::filesystem::temp_directory_path(error);
    return !error && std::filesystem::is_directory(temp, error);
}

} // namespace quelmarine
