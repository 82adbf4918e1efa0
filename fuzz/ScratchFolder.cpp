#include "ScratchFolder.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fuzzsupport {

namespace {

struct Folder {
    std::string path;
    Folder() {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/quelmarine-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        path = pattern + "/";
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string& scratchFolder() {
    static Folder folder;
    return folder.path;
}

void writeWholeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
}

std::string readWholeFile(const std::string& path, bool& exists) {
    std::ifstream in(path, std::ios::binary);
    exists = bool(in);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int folderEntries(const std::string& folder) {
    int count = 0;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                ++count;
        }
        ::closedir(dir);
    }
    return count;
}

} // namespace fuzzsupport
