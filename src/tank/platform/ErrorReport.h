#pragma once
// How code without a user interface reports a failure to the user (a message box in the
// program; standard error until the application installs its handler).

#include <functional>
#include <string>

namespace quelmarine {

using ErrorReporter = std::function<void(const std::string& text, const std::string& caption)>;

void installErrorReporter(ErrorReporter reporter);
void reportError(const std::string& text, const std::string& caption);

} // namespace quelmarine
