#include "desktop/app/CMainFrame.h"

#include "tank/platform/ErrorReport.h"
#include "tank/platform/Folders.h"
#include "tank/platform/ProcessExit.h"
#include "desktop/view/AquariumView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace quelmarine {

CMainFrame::CMainFrame() {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle("QuelmarineScr");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setStyleSheet("background: black;");
    if (!temporaryFolderExists()) {
        reportError("Error Find TempPath.", "ERROR");
        return; // the frame lives on without a view; Esc still ends the program
    }
    aquariumView = new AquariumView();
    container = QWidget::createWindowContainer(aquariumView, this);
    container->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::showCoveringScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        setGeometry(screen->geometry());
        // The screen may change size while the program runs: the frame keeps covering it.
        connect(screen, &QScreen::geometryChanged, this,
                [this](const QRect& geometry) { setGeometry(geometry); });
    }
    showFullScreen();
    if (container)
        container->setFocus();
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        exitProcessNow();
    // Keys reach the frame when the window system keeps the focus on it rather than on the
    // view's own window: F1 then toggles the view's help overlay from here.
    if (event->key() == Qt::Key_F1 && aquariumView)
        aquariumView->scene().ToggleOverlay();
    QWidget::keyPressEvent(event);
}

void CMainFrame::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (container)
        container->setFocus();
}

} // namespace quelmarine
