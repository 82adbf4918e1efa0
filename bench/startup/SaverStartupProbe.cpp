// Starts the screensaver exactly as `quelmarine --root` does and, when the first frame has been
// handed to the X server, writes the CLOCK_MONOTONIC time in nanoseconds to standard output and
// ends.

#include "saver/SaverRun.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main() {
    quelmarine::saver::SaverOptions options;
    options.target = quelmarine::saver::DrawTarget::Root;
    return quelmarine::saver::runSaver(options, [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        std::_Exit(0);
    });
}
