#include "tank/platform/UserFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace quelmarine {

bool isReadableRegularFile(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return ::access(path.c_str(), R_OK) == 0;
}

} // namespace quelmarine
