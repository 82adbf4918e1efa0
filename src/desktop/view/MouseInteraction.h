#pragma once
// The view's mouse handling: left clicks are recorded for the frame's feeding or picking pass,
// the cursor follows the mode and the button, a right click opens the popup menu, and the
// chosen command sets the mode (and opens a dialog or exits).

#include <QPoint>
#include <functional>

#include "tank/scene/Picking.h"

class QWindow;

namespace quelmarine {

class MouseInteraction {
  public:
    // `mouse` is the scene's record; positions are given in the scene's viewport pixels.
    MouseInteraction(QWindow& window, MouseState& mouse);

    // A press from the window, in viewport pixels and screen coordinates. The second press of
    // a double click (`repeatOfDoubleClick`) is no new click: like the double click itself, it
    // only updates the cursor.
    void OnPress(Qt::MouseButton button, QPoint point, QPoint globalPoint,
                 bool repeatOfDoubleClick);
    void OnLButtonDown(QPoint point);
    void OnLButtonUp(QPoint point);
    void OnMouseMove(QPoint point);
    void OnLButtonDblClk(QPoint point);
    // Tracks the popup menu at `globalPoint` (screen coordinates) and handles the choice.
    void OnRButtonDown(QPoint globalPoint);
    // Every command sets the mode; 1034, 1050 and 1052 then open their dialog, 1042 exits.
    void OnCommand(int commandId);

    // The cursor of the mode for the button's state; the arrow in the other modes.
    void UpdateCursor();

    // Opens the dialog of 1034, 1050 or 1052 (set by whoever owns the dialogs).
    std::function<void(int commandId)> openDialog;
    // Releases the OpenGL context before "  Exit" ends the process.
    std::function<void()> releaseOpenGL;
    // Ends the process with exit code 0 (replaceable for tests).
    std::function<void()> exitProcess;
    // Shows the popup menu at a screen point and returns the chosen command, 0 for none
    // (replaceable for tests).
    std::function<int(QPoint globalPoint)> trackPopup;

  private:
    QWindow& window;
    MouseState& mouse;
};

} // namespace quelmarine
