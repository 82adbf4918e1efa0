#include "tank/scene/StepClock.h"

namespace quelmarine {

int StepClock::stepsDue(Clock::time_point now) {
    if (!last) {
        last = now;
        return 1;
    }
    owed += now - *last;
    last = now;
    if (owed >= kMaxStepsPerFrame * kStep) {
        owed = {}; // what a stall leaves over is dropped, not caught up later
        return kMaxStepsPerFrame;
    }
    // One step while that keeps the tank within a step of real time, so a timer that fires a
    // little early or late moves it evenly; otherwise every whole step that is due.
    int steps = 1;
    if (owed <= Clock::duration::zero() || owed >= 2 * kStep)
        steps = owed <= Clock::duration::zero() ? 0 : int(owed / kStep);
    owed -= steps * kStep;
    return steps;
}

} // namespace quelmarine
