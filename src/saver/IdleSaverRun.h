#pragma once
// quelmarine-saver itself: the tank on every screen until the user is back or a termination
// signal arrives.

#include "saver/CommandLine.h"

namespace quelmarine::saver {

// Runs the saver; the exit status (0 when the user ended it, 1 when it could not start or its
// display went away).
int runIdleSaver(const SaverOptions& options);

} // namespace quelmarine::saver
