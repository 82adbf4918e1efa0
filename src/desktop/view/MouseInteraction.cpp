#include "desktop/view/MouseInteraction.h"

#include <QWindow>

#include "desktop/menu/UiArt.h"
#include "desktop/menu/ViewPopupMenu.h"
#include "tank/platform/ProcessExit.h"

namespace quelmarine {

MouseInteraction::MouseInteraction(QWindow& window, MouseState& mouse)
    : exitProcess([] { exitProcessNow(); }),
      trackPopup([](QPoint globalPoint) { return trackViewPopupMenu(nullptr, globalPoint); }),
      window(window), mouse(mouse) {
    UpdateCursor();
}

void MouseInteraction::UpdateCursor() {
    int up = 0, down = 0;
    if (modeCursorIds(mouse.mode, up, down))
        window.setCursor(loadModeCursor(mouse.buttonDown ? down : up, window.devicePixelRatio()));
    else
        window.unsetCursor();
}

void MouseInteraction::OnPress(Qt::MouseButton button, QPoint point, QPoint globalPoint,
                               bool repeatOfDoubleClick) {
    if (repeatOfDoubleClick)
        UpdateCursor();
    else if (button == Qt::LeftButton)
        OnLButtonDown(point);
    else if (button == Qt::RightButton)
        OnRButtonDown(globalPoint);
}

void MouseInteraction::OnLButtonDown(QPoint point) {
    mouse.mouseX = point.x();
    mouse.mouseY = point.y();
    mouse.buttonDown = true;
    if (mouse.mode == kModeFeedFish)
        mouse.feedPending = true;
    // The next frame's picking pass acts on the press, even when the release comes first.
    if (isFishPickingMode(mouse.mode))
        mouse.pickPending = true;
    UpdateCursor();
}

void MouseInteraction::OnLButtonUp(QPoint) {
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
    const int command = trackPopup(globalPoint);
    if (command != 0)
        OnCommand(command);
}

void MouseInteraction::OnCommand(int commandId) {
    mouse.mode = commandId;
    // A press not yet picked belongs to the mode it was made in.
    mouse.pickPending = false;
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
