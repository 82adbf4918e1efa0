#include "tank/platform/Folders.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
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
        folder = withSlash(base) + "QuelmarineScr";
    } else {
        std::error_code error;
        auto temp = std::filesystem::temp_directory_path(error);
        if (error)
            return {};
        folder = withSlash(temp.string()) + "QuelmarineScr-" + std::to_string(::getuid());
    }
    return ensurePrivateFolder(folder) ? withSlash(folder) : std::string();
}

std::string settingsFolder() {
    std::string base = environmentValue("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        std::string home = environmentValue("HOME");
        if (home.empty())
            return {};
        base = withSlash(home) + ".config";
    }
    std::error_code error;
    std::filesystem::path folder = std::filesystem::path(base) / "QuelmarineScr";
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error))
        return {};
    return withSlash(folder.string());
}

bool temporaryFolderExists() {
    std::error_code error;
    auto temp = std::filesystem::temp_directory_path(error);
    return !error && std::filesystem::is_directory(temp, error);
}

} // namespace quelmarine
