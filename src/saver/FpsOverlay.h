#pragma once
// The customary "--fps" line in the lower left corner: frames per second over the last second.

#include <chrono>
#include <cstdint>

namespace quelmarine {
class OutlineFont;
}

namespace quelmarine::saver {

// Counts frames and gives the rate once per second of the frames' own clock.
class FrameRateCounter {
  public:
    using Clock = std::chrono::steady_clock;
    // Counts one frame shown at `now`.
    void frameShown(Clock::time_point now);
    // Frames per second over the last full second; 0 before the first second has passed.
    double rate() const { return lastRate; }

  private:
    Clock::time_point windowStart{};
    std::int32_t framesInWindow = 0;
    bool started = false;
    double lastRate = 0;
};

// Writes "FPS: <rate>" over the frame just drawn, in a window of `width` x `height` pixels.
void DrawFrameRate(OutlineFont& font, double rate, int width, int height);

} // namespace quelmarine::saver
