#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testsupport {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quelmarine-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data()))
        dir = std::string(made) + "/";
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!dir.empty())
        std::filesystem::remove_all(dir, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

bool fileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

} // namespace testsupport
