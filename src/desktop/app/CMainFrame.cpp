#include "desktop/app/CMainFrame.h"

#include "desktop/app/MinimiseGuard.h"
#include "desktop/app/ScreenChoice.h"
#include "desktop/app/TransientForView.h"
#include "desktop/dialogs/FishSettingsDialog.h"
#include "desktop/view/AquariumView.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/Folders.h"
#include "tank/platform/ProcessExit.h"
#include "tank/platform/ProgramNames.h"
#include "tank/scene/InteractionModes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace quelmarine {

CMainFrame::CMainFrame()
    : viewIsTopLevel(QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(kApplicationName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Black behind the view. A palette, not a style sheet: a style sheet would reach the
    // dialogs the frame owns as well.
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    // A dialog never takes the tank away with it.
    new MinimiseGuard(this);
    if (!temporaryFolderExists()) {
        reportError(kNoRuntimeFolderMessage, kNoRuntimeFolderCaption);
        return; // the frame lives on without a view; Esc still ends the program
    }
    // The tank is sized for the screen under the mouse pointer, the one the frame covers.
    targetScreen = screenUnderPointer();
    aquariumView = new AquariumView(targetScreen);
    if (viewIsTopLevel) {
        ownView.reset(aquariumView);
        aquariumView->setFlags(Qt::Window | Qt::FramelessWindowHint);
        aquariumView->setTitle(kApplicationName);
        new TransientForView(this, aquariumView);
    } else {
        container = QWidget::createWindowContainer(aquariumView, this);
        container->setFocusPolicy(Qt::StrongFocus);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(container);
    }
    // The two list dialogs (and whatever music they start) are made right after the first
    // frame is on the screen, so the tank shows up without waiting for them.
    connect(aquariumView, &AquariumView::firstFrameShown, this,
            [this] { QTimer::singleShot(0, this, [this] { aquariumView->CreateDialogs(this); }); });
    aquariumView->mouseHandling().openDialog = [this](int commandId) {
        if (commandId == kCommandAddDeleteFish)
            FishSettingsDialog::run(this);
        else
            aquariumView->ShowDialog(commandId, this);
    };
}

CMainFrame::~CMainFrame() {
    // The view (and the dialogs it releases) goes before the frame's own children.
    ownView.reset();
}

void CMainFrame::showCoveringScreen() {
    QScreen* screen = targetScreen ? targetScreen.data() : screenUnderPointer();
    if (screen) {
        setScreen(screen);
        // The hidden frame keeps the screen's geometry too: the dialogs open centred over it.
        setGeometry(screen->geometry());
        // The screen may change size while the program runs: the frame keeps covering it.
        connect(screen, &QScreen::geometryChanged, this,
                [this](const QRect& geometry) { setGeometry(geometry); });
    }
    if (ownView) {
        if (screen)
            ownView->setScreen(screen);
        ownView->showFullScreen();
        ownView->requestActivate();
        return;
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
