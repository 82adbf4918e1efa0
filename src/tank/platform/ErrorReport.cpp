#include "tank/platform/ErrorReport.h"

#include <cstdio>

namespace quelmarine {

namespace {
ErrorReporter& currentReporter() {
    // Process-wide: the failures come from free functions all through the library, with no owner.
    static ErrorReporter reporter;
    return reporter;
}
} // namespace

void installErrorReporter(ErrorReporter reporter) {
    currentReporter() = std::move(reporter);
}

void reportError(const std::string& text, const std::string& caption) {
    if (currentReporter())
        currentReporter()(text, caption);
    else
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

} // namespace quelmarine
