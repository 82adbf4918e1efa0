#include "tank/platform/TerminationSignals.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <initializer_list>
#include <unistd.h>

namespace quelmarine {

namespace {

// A few files exist at the same time at most: two asset files, a temporary settings file, two
// markers, and a dialog's save.
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX];
};
constexpr int kSlotCount = 16;
// The files to remove: file-level because the signal handler can reach nothing else.
Slot slots[kSlotCount];

// Sections open now, and whether a request came during one: file-level for the signal handler,
// which may run on any thread.
std::atomic<int> deferring{0};
std::atomic<bool> requested{false};

[[noreturn]] void removeRegisteredAndExit() {
    for (Slot& slot : slots)
        if (slot.used.load(std::memory_order_acquire))
            ::unlink(slot.path);
    ::_exit(0);
}

void removeAndExit(int) {
    requested.store(true);
    if (deferring.load() == 0)
        removeRegisteredAndExit();
}

} // namespace

void installTerminationHandler() {
    struct sigaction action {};
    action.sa_handler = removeAndExit;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&action.sa_mask, signal);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

RemovedOnTermination::RemovedOnTermination(const std::string& path) {
    if (path.empty() || path.front() != '/' || path.size() >= PATH_MAX)
        return;
    for (int i = 0; i < kSlotCount; ++i) {
        Slot& candidate = slots[i];
        if (candidate.used.load(std::memory_order_relaxed))
            continue;
        std::memcpy(candidate.path, path.c_str(), path.size() + 1);
        candidate.used.store(true, std::memory_order_release);
        slot = i;
        return;
    }
}

TerminationDeferred::TerminationDeferred() {
    deferring.fetch_add(1);
}

TerminationDeferred::~TerminationDeferred() {
    // The request is marked before the count is looked at, and the count lowered before the
    // mark is looked at here: one of the two always sees the other.
    if (deferring.fetch_sub(1) == 1 && requested.load())
        removeRegisteredAndExit();
}

RemovedOnTermination::~RemovedOnTermination() {
    if (slot >= 0)
        slots[slot].used.store(false, std::memory_order_release);
}

} // namespace quelmarine
