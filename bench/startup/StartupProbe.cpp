// Starts the program exactly as `quelmarine` does and, when the first frame has reached the
// screen, writes the CLOCK_MONOTONIC time in nanoseconds to standard output and ends.

#include "desktop/app/AquariumApp.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
    quelmarine::AquariumApp::prepareBeforeApplication();
    QApplication app(argc, argv);
    quelmarine::AquariumApp::nameApplication();
    quelmarine::AquariumApp aquarium;
    const bool started = aquarium.InitInstance([] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        std::_Exit(0);
    });
    return started ? app.exec() : 1;
}
