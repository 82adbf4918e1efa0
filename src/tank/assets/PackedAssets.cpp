#include "tank/assets/PackedAssets.h"

#include "tank/ProcessState.h"
#include "tank/assets/ScrambleKey.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/Folders.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace quelmarine {

namespace {

// Opens without following links; new files are private to the user.
int openForWriting(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
}

int openForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
}

bool writeAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Lets the kernel take back the whole pages of a resource compiled into the program once it is
// unpacked: they are read-only pages of the program file, read in again if ever needed.
void releaseProgramPages(const unsigned char* begin, std::size_t size) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto first = (reinterpret_cast<std::uintptr_t>(begin) + page - 1) / page * page;
    const auto last = (reinterpret_cast<std::uintptr_t>(begin) + size) / page * page;
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

} // namespace

std::string windowsDirPrefix() {
    std::string folder = assetFolderPerProcess ? processAssetFolder() : privateRuntimeFolder();
    // Process-wide: every asset asks for the folder, and the user is told of its lack only once.
    static bool reported = false;
    if (folder.empty() && !reported) {
        reported = true;
        reportError(kNoRuntimeFolderMessage, kNoRuntimeFolderCaption);
    }
    return folder;
}

std::string packedAssetPath(const std::string& directory, const std::string& name) {
    return directory + name + ".ad";
}

std::string plainAssetPath(const std::string& directory, const std::string& name) {
    return directory + name + (name == "Music" ? ".wav" : ".bmp");
}

bool extractPackedAsset(std::uint16_t resourceId, const std::string& directory,
                        const std::string& name) {
    const std::span<const PackedResource> table = builtInResources();
    if (!extractPackedAsset(resourceId, directory, name, table))
        return false;
    if (const PackedResource* resource = findPackedResource(resourceId, table))
        releaseProgramPages(resource->begin, resource->size());
    return true;
}

bool extractPackedAsset(std::uint16_t resourceId, const std::string& directory,
                        const std::string& name, std::span<const PackedResource> table) {
    const PackedResource* resource = findPackedResource(resourceId, table);
    if (!resource || directory.empty())
        return false;
    int fd = openForWriting(packedAssetPath(directory, name));
    if (fd >= 0) {
        writeAll(fd, resource->begin, resource->size());
        ::close(fd);
    }
    unscramblePackedAsset(directory, name);
    return true;
}

void unscramblePackedAsset(const std::string& directory, const std::string& name) {
    int in = openForReading(packedAssetPath(directory, name));
    if (in < 0) {
        std::fputs("cannot open infile\n", stderr);
        return;
    }
    int out = openForWriting(plainAssetPath(directory, name));
    if (out < 0) {
        std::fputs(" cannot open outfile\n", stderr);
        ::close(in);
        return;
    }
    constexpr auto key = buildScrambleKey();
    std::array<unsigned char, 65536> buffer;
    std::size_t position = 0;
    for (;;) {
        ssize_t count = ::read(in, buffer.data(), buffer.size());
        if (count <= 0)
            break;
        for (ssize_t i = 0; i < count; ++i, ++position)
            buffer[i] =
                static_cast<unsigned char>(buffer[i] + key[(position + 1) % kScrambleKeyLength]);
        if (!writeAll(out, buffer.data(), static_cast<std::size_t>(count)))
            break;
    }
    ::close(in);
    ::close(out);
}

void deleteAssetFile(const std::string& path) {
    ::unlink(path.c_str());
}

const PackedResource* findPackedResource(std::uint16_t id, std::span<const PackedResource> table) {
    for (const PackedResource& resource : table)
        if (resource.id == id)
            return &resource;
    return nullptr;
}

} // namespace quelmarine
