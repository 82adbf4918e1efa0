#include "desktop/app/MinimiseGuard.h"

#include "desktop/app/OwnedWindows.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace quelmarine {

MinimiseGuard::MinimiseGuard(QWidget* frame) : QObject(frame), frame(frame) {
    qApp->installEventFilter(this);
}

MinimiseGuard::~MinimiseGuard() {
    if (qApp)
        qApp->removeEventFilter(this);
}

QList<QWidget*> MinimiseGuard::openDialogs() const {
    QList<QWidget*> dialogs;
    if (!frame)
        return dialogs;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != frame && window->isVisible() && ownedBy(window, frame))
            dialogs << window;
    return dialogs;
}

bool MinimiseGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::WindowStateChange || !frame || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isMinimized())
        return false;
    const bool dialogOfFrame = window != frame && ownedBy(window, frame);
    if (dialogOfFrame || (window == frame && !openDialogs().isEmpty()))
        restoreSoon();
    return false;
}

void MinimiseGuard::restoreSoon() {
    // After the window system has finished minimising the whole group.
    if (restorePending)
        return;
    restorePending = true;
    // The window that had the keyboard gets it back (when the window system has not yet
    // taken it away).
    wasActive = QApplication::activeWindow();
    QTimer::singleShot(0, this, [this] {
        restorePending = false;
        restore();
    });
}

void MinimiseGuard::restore() {
    if (!frame)
        return;
    if (frame->isMinimized())
        frame->setWindowState((frame->windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
    QWidget* focus = QApplication::activeModalWidget();
    const QList<QWidget*> dialogs = openDialogs();
    for (QWidget* dialog : dialogs) {
        if (dialog->isMinimized())
            dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
        dialog->raise();
    }
    if (!focus && wasActive && (wasActive == frame || dialogs.contains(wasActive.data())))
        focus = wasActive;
    if (!focus && !dialogs.isEmpty())
        focus = dialogs.constFirst();
    if (focus)
        focus->activateWindow();
}

} // namespace quelmarine
