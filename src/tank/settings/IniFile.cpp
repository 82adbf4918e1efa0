#include "tank/settings/IniFile.h"

#include "tank/platform/TerminationSignals.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
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

// The folder (with its slash) and the name of the file a write of `path` replaces.
struct FolderAndName {
    std::string folder;
    std::string name;
};
FolderAndName splitTarget(const std::string& path) {
    const std::string target = resolvedTarget(path);
    const std::size_t slash = target.rfind('/');
    if (slash == std::string::npos)
        return {"./", target};
    return {target.substr(0, slash + 1), target.substr(slash + 1)};
}

// The temporary copies of file `name` are ".<name>.tmp-<pid>-<attempt>".
std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".tmp-";
}

// The writer's process id in a temporary copy's name after its prefix, or -1.
pid_t writerOf(const char* rest) {
    errno = 0;
    char* end = nullptr;
    const long pid = std::strtol(rest, &end, 10);
    if (errno != 0 || end == rest || *end != '-' || pid <= 0 || pid > INT_MAX)
        return -1;
    const char* attempt = end + 1;
    if (*attempt == '\0')
        return -1;
    for (const char* c = attempt; *c; ++c)
        if (*c < '0' || *c > '9')
            return -1;
    return pid_t(pid);
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
    const auto [folder, name] = splitTarget(path);
    const std::string target = folder + name;
    if (name.empty())
        return false;
    // A file the user made read-only stays as it is.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return false;

    std::string temporary;
    std::optional<RemovedOnTermination> removedOnTermination;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + temporaryPrefix(name) + std::to_string(::getpid()) + "-" +
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

int removeAbandonedCopies(const std::string& path) {
    if (path.empty())
        return 0;
    const auto [folder, name] = splitTarget(path);
    const std::string prefix = temporaryPrefix(name);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::string_view(entry->d_name).substr(0, prefix.size()) != prefix)
            continue;
        const pid_t writer = writerOf(entry->d_name + prefix.size());
        // Only a writer that is gone has abandoned its copy; a running one still renames it.
        if (writer <= 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        if (::unlinkat(::dirfd(listing), entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

} // namespace quelmarine
