#include "desktop/view/AquariumView.h"

#include "desktop/dialogs/CustomBackgroundDialog.h"
#include "desktop/dialogs/CustomMusicDialog.h"
#include "desktop/pictures/PictureTextureMaker.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/Folders.h"
#include "tank/platform/ProcessExit.h"
#include "tank/platform/ProgramNames.h"
#include "tank/scene/GlErrorCheck.h"
#include "tank/scene/InteractionModes.h"
#include "tank/settings/SettingsLoad.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace quelmarine {

namespace {
constexpr int kFramePeriodMs = 10;
constexpr int kMaxHeldTicks = 25;
constexpr int kFirstFrameWarningMs = 5000;
} // namespace

AquariumView::AquariumView(QScreen* target) : assetFolder(privateRuntimeFolder()) {
    if (target)
        setScreen(target);
    setSurfaceType(QWindow::OpenGLSurface);
    setFormat(QSurfaceFormat::defaultFormat());
    create();
    InitOpenGL();
    mouseInteraction.releaseOpenGL = [this] { ReleaseOpenGL(); };
    frameTimer.start(kFramePeriodMs, Qt::PreciseTimer, this);
    // A window system that never lets the view show a frame leaves a blank screen: say so.
    QTimer::singleShot(kFirstFrameWarningMs, this, [this] {
        if (context && !firstFrameDone)
            std::fprintf(stderr,
                         "%s: the window system has not let the tank show a frame in %d s\n",
                         kApplicationName, kFirstFrameWarningMs / 1000);
    });
}

AquariumView::~AquariumView() {
    ReleaseOpenGL();
}

QSize AquariumView::screenPixelSize() const {
    QScreen* s = screen();
    if (!s)
        return {1680, 1050};
    return s->size() * s->devicePixelRatio();
}

void AquariumView::InitOpenGL() {
    auto made = std::make_unique<QOpenGLContext>();
    made->setFormat(format());
    if (!made->create()) {
        reportError("ChoosePixelFormat failed", kApplicationName);
        return;
    }
    if (!made->makeCurrent(this)) {
        reportError("SetPixelFormat failed", kApplicationName);
        return;
    }
    context = std::move(made);
    if (assetFolder.empty())
        reportError(kNoRuntimeFolderMessage, kNoRuntimeFolderCaption);
    loadSettingsAtStartup();
    const QSize screenSize = screenPixelSize();
    aquarium.InitOpenGL(AquariumSettings, screenSize.width(), screenSize.height(), assetFolder);
    sceneReady = temporaryFolderExists();
}

bool AquariumView::makeContextCurrent() {
    return context && context->makeCurrent(this);
}

CustomMusicDialog* AquariumView::musicDialog() const {
    return music;
}

CustomBackgroundDialog* AquariumView::backgroundDialog() const {
    return background;
}

void AquariumView::CreateDialogs(QWidget* owner) {
    if (!sceneReady || music)
        return;
    music = new CustomMusicDialog(owner);
    const QSize screenSize = screenPixelSize();
    pictureMaker = std::make_unique<PictureTextureMaker>(
        [this] { return makeContextCurrent(); }, std::max(screenSize.width(), screenSize.height()));
    background = new CustomBackgroundDialog(owner, *pictureMaker);
}

void AquariumView::ShowDialog(int commandId, QWidget* owner) {
    if (commandId == kCommandCustomMusic && music)
        music->showCentredOver(owner);
    else if (commandId == kCommandCustomBackground && background)
        background->showCentredOver(owner);
}

void AquariumView::RenderFrame() {
    if (!context || !isExposed() || !context->makeCurrent(this))
        return;
    const QSize pixels = size() * devicePixelRatio();
    aquarium.RenderFrame(pixels.width(), pixels.height(),
                         background ? background->backdropTexture() : 0,
                         stepClock.stepsDue(StepClock::Clock::now()));
    context->swapBuffers(this);
    // The checking run (scripts/soak): every error raised since the last check is reported.
    if (checkGlErrors)
        reportGlErrors(++framesDrawn, stderr);
    if (!firstFrameDone) {
        firstFrameDone = true;
        emit firstFrameShown();
    }
}

void AquariumView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != frameTimer.timerId()) {
        QWindow::timerEvent(event);
        return;
    }
    if (modalWindowPending())
        return;
    RenderFrame();
    ambientSound.Tick();
}

bool AquariumView::modalWindowPending() {
    QWindow* modal = QGuiApplication::modalWindow();
    if (!modal || modal == this || modal->isExposed()) {
        heldTicks = 0;
        return false;
    }
    return ++heldTicks <= kMaxHeldTicks;
}

void AquariumView::exposeEvent(QExposeEvent*) {
    if (isExposed() && !modalWindowPending())
        RenderFrame();
}

void AquariumView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        exitProcessNow();
    if (event->key() == Qt::Key_F1) {
        aquarium.ToggleOverlay();
        event->accept(); // handled here: the frame must not toggle it a second time
        return;
    }
    QWindow::keyPressEvent(event);
}

QPoint AquariumView::viewportPoint(const QMouseEvent* event) const {
    return (event->position() * devicePixelRatio()).toPoint();
}

void AquariumView::mousePressEvent(QMouseEvent* event) {
    mouseInteraction.OnPress(event->button(), viewportPoint(event),
                             event->globalPosition().toPoint(),
                             event->flags().testFlag(Qt::MouseEventCreatedDoubleClick));
    QWindow::mousePressEvent(event);
}

void AquariumView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouseInteraction.OnLButtonUp(viewportPoint(event));
    QWindow::mouseReleaseEvent(event);
}

void AquariumView::mouseMoveEvent(QMouseEvent* event) {
    mouseInteraction.OnMouseMove(viewportPoint(event));
    QWindow::mouseMoveEvent(event);
}

void AquariumView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouseInteraction.OnLButtonDblClk(viewportPoint(event));
    QWindow::mouseDoubleClickEvent(event);
}

void AquariumView::ReleaseOpenGL() {
    frameTimer.stop();
    delete music;
    delete background;
    pictureMaker.reset();
    if (context) {
        context->doneCurrent();
        context.reset();
    }
}

} // namespace quelmarine
