#include "view/MouseInteraction.h"

#include <QWindow>

#include "platform/ProcessExit.h"
#include "ui/UiArt.h"
#include "ui/ViewPopupMenu.h"

namespace quelmarine {

MouseInteraction::MouseInteraction(QWindow& window, MouseState& mouse)
    : exitProcess([] { exitProcessNow(); }), window(window), mouse(mouse) {
    UpdateCursor();
}

void MouseInteraction::UpdateCursor() {
    int up = 0, down = 0;
    if (modeCursorIds(mouse.mode, up, down))
        window.setCursor(loadModeCursor(mouse.buttonDown ? down : up));
    else
        window.unsetCursor();
}

void MouseInteraction::OnLButtonDown(QPoint point) {
    mouse.mouseX = point.x();
    mouse.mouseY = point.y();
    mouse.buttonDown = true;
    if (mouse.mode == kModeFeedFish)
        mouse.feedPending = true;
    UpdateCursor();
}

void MouseInteraction::OnLButtonUp(QPoint) {
    // In the touch mode the press stays recorded until the picking pass consumes it.
    if (mouse.mode == kModeFeedFish || mouse.mode == kModeZoomInFish ||
        mouse.mode == kModeZoomOutFish)
        mouse.buttonDown = false;
    UpdateCursor();
}

void MouseInteraction::OnMouseMove(QPoint point) {
    UpdateCursor();
    mouse.mouseX = point.x();
    mouse.mouseY = point.y();
}

void MouseInteraction::OnLButtonDblClk(QPoint) {
    UpdateCursor();
}

void MouseInteraction::OnRButtonDown(QPoint globalPoint) {
    const int command = trackViewPopupMenu(nullptr, globalPoint);
    if (command != 0)
        OnCommand(command);
}

void MouseInteraction::OnCommand(int commandId) {
    mouse.mode = commandId;
    switch (commandId) {
    case kCommandAddDeleteFish:
    case kCommandCustomMusic:
    case kCommandCustomBackground:
        if (openDialog)
            openDialog(commandId);
        break;
    case kCommandExit:
        if (releaseOpenGL)
            releaseOpenGL();
        exitProcess();
        break;
    default:
        break;
    }
    UpdateCursor();
}

} // namespace quelmarine
