#include "tank/settings/IniFile.h"

#include "tank/platform/TerminationSignals.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quelmarine {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd; }
    // Closes now and says whether the close succeeded.
    bool close() {
        int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

  private:
    int fd;
};

bool readAll(int fd, std::size_t size, std::string& out) {
    out.clear();
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        out.append(buffer, std::size_t(got));
        if (out.size() > size)
            return false;
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes.remove_prefix(std::size_t(done));
    }
    return true;
}

// The file a write should replace: the target of a symbolic link, else the path itself.
std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

LoadedIni loadIniFile(const std::string& path) {
    LoadedIni result;
    if (path.empty())
        return result;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            result.state = IniFileState::Missing;
        return result;
    }
    FileDescriptor file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        std::size_t(info.st_size) > kMaxIniFileSize)
        return result;
    std::string bytes;
    if (!readAll(fd, kMaxIniFileSize, bytes))
        return result;
    result.state = IniFileState::Loaded;
    result.document = IniDocument(bytes);
    return result;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return false;
    const std::string target = resolvedTarget(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty())
        return false;
    // A file the user made read-only stays as it is.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return false;

    std::string temporary;
    std::optional<RemovedOnTermination> removedOnTermination;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt);
        removedOnTermination.emplace(temporary);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    FileDescriptor file(fd);

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = file.close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace quelmarine
