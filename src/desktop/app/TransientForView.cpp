#include "desktop/app/TransientForView.h"

#include "desktop/app/OwnedWindows.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace quelmarine {

TransientForView::TransientForView(QWidget* frame, QWindow* view)
    : QObject(frame), frame(frame), view(view) {
    qApp->installEventFilter(this);
}

TransientForView::~TransientForView() {
    if (qApp)
        qApp->removeEventFilter(this);
}

bool TransientForView::eventFilter(QObject* watched, QEvent* event) {
    if (watched->isWindowType() && !awaitingKeyboard.isEmpty())
        return windowExposed(watched, event);
    if (!watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Hide && window->isWindow())
        awaitingKeyboard.remove(window->windowHandle());
    // The show event comes before the window is on the screen: the compositor learns whose
    // window it is as the window appears.
    if (event->type() != QEvent::Show || !frame || !view)
        return false;
    if (!window->isWindow() || window == frame.data())
        return false;
    QWindow* handle = window->windowHandle();
    if (!handle)
        return false;
    QWindow* owner = handle->transientParent();
    // Windows owned by the frame, or by nothing (the popup menu): the hidden frame's own
    // window is never a fit owner.
    const bool ownedByFrame = ownedBy(window, frame);
    if ((ownedByFrame || !window->parentWidget()) && (!owner || owner == frame->windowHandle()))
        handle->setTransientParent(view);
    // A compositor may leave the keyboard with the full-screen tank when a dialog opens
    // (sway does): the dialog asks for it once it is on the screen (a request for a window
    // not yet shown is let go). The popup menu has the keyboard by being a popup.
    if (ownedByFrame && window->windowType() != Qt::Popup)
        awaitingKeyboard.insert(handle);
    return false;
}

bool TransientForView::windowExposed(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Expose)
        return false;
    auto* handle = static_cast<QWindow*>(watched);
    if (!handle->isExposed() || !awaitingKeyboard.remove(handle))
        return false;
    // After the window has drawn itself for this expose: only a window with a picture on the
    // screen may take the keyboard.
    const QPointer<QWindow> shown(handle);
    QTimer::singleShot(0, handle, [shown] {
        if (shown && shown->isVisible())
            shown->requestActivate();
    });
    return false;
}

} // namespace quelmarine
