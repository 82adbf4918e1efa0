#pragma once
// The view's mouse handling: left clicks are recorded for the frame's feeding or picking pass,
// the cursor follows the mode and the button, a right click opens the popup menu, and the
// chosen command sets the mode (and opens a dialog or exits).

#include <QPoint>
#include <functional>

#include "view/Picking.h"

class QWindow;

namespace quelmarine {

class MouseInteraction {
  public:
    // `mouse` is the scene's record; positions are given in the scene's viewport pixels.
    MouseInteraction(QWindow& window, MouseState& mouse);

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

  private:
    QWindow& window;
    MouseState& mouse;
};

} // namespace quelmarine
