#pragma once
// Runs a check without the super-user's rights, so that tests of file permissions also bind
// when the test run itself is root (as on CI machines).

#include <functional>
#include <string>

namespace testsupport {

// Runs `check` in a child process and returns its result (or -1 when the child could not run
// it). When the caller is root, `folder` (with everything in it) is first handed to the user
// "nobody" and the child drops to that user; otherwise the child keeps the caller's user.
int runUnprivileged(const std::string& folder, const std::function<int()>& check);

} // namespace testsupport
