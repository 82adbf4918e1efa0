#pragma once
// Ending at once on SIGTERM, SIGINT or SIGHUP, whatever the drawing thread is doing (even in
// the middle of loading the scene): the daemon expects the saver gone right away. SIGPIPE is
// ignored, so a connection that has gone is handled where it is used.

#include <functional>

namespace quelmarine::saver {

// Blocks the three signals in this thread and in every thread started after it (so call it
// before anything else starts threads), and starts a thread that waits for them. On a signal
// it runs `cleanUp` and ends the process with exit status 0. The X server removes the saver's
// context and window with its connection.
void endOnTerminationSignals(std::function<void()> cleanUp);

} // namespace quelmarine::saver
