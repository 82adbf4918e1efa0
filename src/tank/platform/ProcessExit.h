#pragma once
// Ending the process at once with exit code 0 (Esc, and the popup's Exit), after a few
// registered clean-ups that must not be skipped (giving back the single-instance markers).

#include <functional>

namespace quelmarine {

void addExitCleanup(std::function<void()> cleanup);
[[noreturn]] void exitProcessNow();

} // namespace quelmarine
