// The screen the program covers: the one under the pointer, on side-by-side, stacked and
// mismatched monitors.
#include "desktop/app/ScreenChoice.h"

#include <gtest/gtest.h>

namespace quelmarine {
namespace {

TEST(ScreenChoice, TheScreenUnderThePointerWins) {
    const QList<QRect> sideBySide = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QList<QRect> stacked = {QRect(0, 0, 1280, 1024), QRect(0, 1024, 1280, 1024)};
    // The right screen is the primary one here; the left one is taller than the right.
    const QList<QRect> mismatched = {QRect(0, 0, 1080, 1920), QRect(1080, 0, 1920, 1080)};
    struct Case {
        const QList<QRect>* screens;
        QPoint pointer;
        int primary, expected;
    };
    const Case cases[] = {
        {&sideBySide, {10, 10}, 0, 0},
        {&sideBySide, {1919, 1079}, 0, 0},
        {&sideBySide, {1920, 0}, 0, 1},
        {&sideBySide, {3199, 1023}, 0, 1},
        {&stacked, {640, 1023}, 0, 0},
        {&stacked, {640, 1024}, 0, 1},
        {&mismatched, {500, 1500}, 1, 0},
        {&mismatched, {2000, 500}, 1, 1},
        // In the gap below the shorter screen: the nearest screen.
        {&mismatched, {1600, 1500}, 0, 1},
        // Off every screen: the nearest one.
        {&sideBySide, {-50, 500}, 1, 0},
        {&sideBySide, {4000, 500}, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(screenIndexForPointer(*c.screens, c.pointer, c.primary), c.expected)
            << c.pointer.x() << "," << c.pointer.y();
    EXPECT_EQ(screenIndexForPointer({}, {5, 5}, 3), 3) << "no geometries: the primary";
}

} // namespace
} // namespace quelmarine
