#include "saver/Termination.h"

#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <thread>

namespace quelmarine::saver {

void endOnTerminationSignals(std::function<void()> cleanUp) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, cleanUp = std::move(cleanUp)] {
        int received = 0;
        while (sigwait(&signals, &received) != 0) {
        }
        if (cleanUp)
            cleanUp();
        std::_Exit(0);
    }).detach();
}

} // namespace quelmarine::saver
