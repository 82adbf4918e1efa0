// quelmarine-saver ends when the user is back: any key or button, or the pointer moved more
// than a few pixels, but only once the settle time after its screens appeared is over.
#include "saver/EndOnInput.h"

#include <gtest/gtest.h>

namespace quelmarine::saver {
namespace {

using namespace std::chrono_literals;
using Clock = EndOnInput::Clock;

const Clock::time_point kStart = Clock::time_point{} + 100s;
const Clock::time_point kSettled = kStart + EndOnInput::kSettleTime;

TEST(EndOnInput, KeysAndButtonsCountOnlyAfterTheSettleTime) {
    EndOnInput input;
    input.pressed(kStart - 1s); // before the screens were shown
    input.screensShown(kStart);
    input.pressed(kStart);
    input.pressed(kSettled - 1ms);
    EXPECT_FALSE(input.userBack());
    input.pressed(kSettled);
    EXPECT_TRUE(input.userBack());

    // A press with no screens shown yet never counts.
    EndOnInput unshown;
    unshown.pressed(kSettled + 10s);
    EXPECT_FALSE(unshown.userBack());
}

TEST(EndOnInput, ThePointerMayRestOrJitterButNotMove) {
    const double slack = EndOnInput::kPointerSlack;
    EndOnInput input;
    input.screensShown(kStart);
    // While settling, the pointer's place is only noted, however far it jumps (a warp, the
    // pointer entering a new window).
    input.pointerAt(1, 10, 10, kStart);
    input.pointerAt(1, 500, 400, kSettled - 1ms);
    EXPECT_FALSE(input.userBack());
    // Afterwards the last settled place is where it rests: jitter within the slack is still.
    input.pointerAt(1, 500 + slack, 400 - slack, kSettled + 1s);
    input.pointerAt(1, 500 - slack, 400 + slack, kSettled + 2s);
    EXPECT_FALSE(input.userBack());
    input.pointerAt(1, 500, 400 + slack + 1, kSettled + 3s);
    EXPECT_TRUE(input.userBack());
}

TEST(EndOnInput, APointerOnAnotherSurfaceHasMoved) {
    EndOnInput input;
    input.screensShown(kStart);
    input.pointerAt(1, 100, 100, kStart);
    input.pointerAt(2, 100, 100, kSettled + 1s); // the same place on another output
    EXPECT_TRUE(input.userBack());

    // The first place seen after the settle time is where it rests, when none was seen before.
    EndOnInput late;
    late.screensShown(kStart);
    late.pointerAt(7, 300, 300, kSettled + 5s);
    EXPECT_FALSE(late.userBack());
    late.pointerAt(7, 300, 340, kSettled + 6s);
    EXPECT_TRUE(late.userBack());
}

} // namespace
} // namespace quelmarine::saver
