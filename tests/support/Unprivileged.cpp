#include "Unprivileged.h"

#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

namespace {
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
} // namespace

int runUnprivileged(const std::string& folder, const std::function<int()>& check) {
    const bool root = ::geteuid() == 0;
    if (root) {
        if (::chown(folder.c_str(), kNobody, kNoGroup) != 0)
            return -1;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (::lchown(entry.path().c_str(), kNobody, kNoGroup) != 0)
                return -1;
    }
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (root && (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 ||
                     ::setuid(kNobody) != 0 || ::setuid(0) == 0))
            ::_exit(255); // still privileged: refuse to run the check
        ::_exit(check() & 0xFF);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

} // namespace testsupport
