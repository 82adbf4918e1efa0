#include "tank/platform/ProcessExit.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace quelmarine {

namespace {
std::vector<std::function<void()>>& cleanups() {
    // Process-wide: the process may be ended from any window (Esc, the popup's Exit).
    static std::vector<std::function<void()>> all;
    return all;
}
} // namespace

void addExitCleanup(std::function<void()> cleanup) {
    cleanups().push_back(std::move(cleanup));
}

void exitProcessNow() {
    for (auto& cleanup : cleanups())
        cleanup();
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace quelmarine
