#pragma once
// When the user is back: the first key press, button press or pointer movement of more than a
// few pixels ends the saver, once a short settle time after its screens appeared has passed
// (screens being mapped, pointers entering them and the key that started the saver are no
// sign of the user). Both window back ends feed their input through it.

#include <chrono>
#include <cstdint>
#include <optional>

namespace quelmarine::saver {

class EndOnInput {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kSettleTime = std::chrono::milliseconds(500);
    // How far the pointer may move (in pixels, either way on either axis) and still be still.
    static constexpr double kPointerSlack = 5;

    // The screens are shown from `now` on: the settle time starts.
    void screensShown(Clock::time_point now);

    // A key or button was pressed at `now`.
    void pressed(Clock::time_point now);
    // The pointer is at (x, y) on the surface `surface` at `now`: coordinates of the whole
    // screen (surface 0) on X11, of one output's surface on Wayland. A pointer that turns up on
    // another surface than before has moved.
    void pointerAt(std::uintptr_t surface, double x, double y, Clock::time_point now);

    // True once the user has been seen.
    bool userBack() const { return back; }

  private:
    bool settled(Clock::time_point now) const;

    std::optional<Clock::time_point> shownAt;
    struct Position {
        std::uintptr_t surface;
        double x, y;
    };
    std::optional<Position> resting; // where the pointer was first seen
    bool back = false;
};

} // namespace quelmarine::saver
