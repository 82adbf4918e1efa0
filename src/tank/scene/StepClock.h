#pragma once
// The tank moves in fixed 10 ms steps whatever the frame rate. Each frame takes the steps that
// the time since the last frame asks for, carrying what is left over: one a frame while that
// keeps the tank within a step of real time (so frames every 10 ms, a little early or late, take
// one each), more for slow frames, none for a frame that comes too soon; never more than
// kMaxStepsPerFrame, so a stall does not make the fish jump.

#include <chrono>
#include <optional>

namespace quelmarine {

class StepClock {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kStep = std::chrono::milliseconds(10);
    static constexpr int kMaxStepsPerFrame = 10;

    // The steps due for a frame at `now`; the first frame takes one.
    int stepsDue(Clock::time_point now);

  private:
    std::optional<Clock::time_point> last;
    Clock::duration owed{};
};

} // namespace quelmarine
