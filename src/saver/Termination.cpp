#include "saver/Termination.h"

#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <thread>

namespace quelmarine::saver {

void endOnTerminationSignals(std::function<void()> cleanUp) {
    // A write to a connection whose other end has gone (the X server at the end of a session)
    // fails with EPIPE and reaches that connection's own error handling, which removes the
    // asset folder and ends with status 1, instead of the signal ending the process unseen.
    std::signal(SIGPIPE, SIG_IGN);
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
