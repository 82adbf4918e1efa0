#include "saver/EndOnInput.h"

#include <cmath>

namespace quelmarine::saver {

void EndOnInput::screensShown(Clock::time_point now) {
    if (!shownAt)
        shownAt = now;
}

bool EndOnInput::settled(Clock::time_point now) const {
    return shownAt && now - *shownAt >= kSettleTime;
}

void EndOnInput::pressed(Clock::time_point now) {
    if (settled(now))
        back = true;
}

void EndOnInput::pointerAt(std::uintptr_t surface, double x, double y, Clock::time_point now) {
    // Until the settle time is over, the pointer's place is only noted: where it rests.
    if (!resting || !settled(now)) {
        resting = Position{surface, x, y};
        return;
    }
    if (surface != resting->surface || std::abs(x - resting->x) > kPointerSlack ||
        std::abs(y - resting->y) > kPointerSlack)
        back = true;
}

} // namespace quelmarine::saver
