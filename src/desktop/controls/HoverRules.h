#pragma once
// When a control that lights up under the mouse is lit, shared by the button classes.

#include <QGuiApplication>
#include <QMouseEvent>
#include <QRect>

namespace quelmarine {

// After a mouse move: a move with the left button held does not light a control that is not
// lit (a drag that started elsewhere); otherwise the control is lit while the pointer is in
// `area`.
inline bool litAfterMove(bool lit, const QMouseEvent& event, const QRect& area) {
    if (event.buttons().testFlag(Qt::LeftButton) && !lit)
        return false;
    return area.contains(event.position().toPoint());
}

// When the pointer enters: lit, unless the left button is held for a press that began
// elsewhere.
inline bool litOnEnter(bool pressedHere) {
    return !QGuiApplication::mouseButtons().testFlag(Qt::LeftButton) || pressedHere;
}

} // namespace quelmarine
