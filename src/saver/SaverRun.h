#pragma once
// The saver itself: the window, the scene and the frame loop, until the window goes or a
// termination signal arrives.

#include "saver/CommandLine.h"

#include <functional>

namespace quelmarine::saver {

// Runs the saver; the exit status. `firstFrameShown` (may be empty) runs once, right after the
// first frame has been handed to the X server.
int runSaver(const SaverOptions& options, const std::function<void()>& firstFrameShown = {});

} // namespace quelmarine::saver
