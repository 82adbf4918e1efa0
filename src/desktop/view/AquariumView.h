#pragma once
// The window that shows the aquarium: it owns the OpenGL context and the scene, and runs the
// 10 ms frame timer.

#include <QBasicTimer>
#include <QPointer>
#include <QWindow>
#include <memory>

#include "desktop/sound/AmbientSound.h"
#include "desktop/view/MouseInteraction.h"
#include "tank/scene/GlErrorCheck.h"
#include "tank/scene/Scene.h"
#include "tank/scene/StepClock.h"

class QOpenGLContext;

namespace quelmarine {

class CustomBackgroundDialog;
class CustomMusicDialog;
class PictureTextureMaker;

class AquariumView : public QWindow {
    Q_OBJECT
  public:
    // The window starts on `target` (the primary screen when null) and sizes the tank from it.
    explicit AquariumView(QScreen* target = nullptr);
    ~AquariumView() override;

    Scene& scene() { return aquarium; }
    MouseInteraction& mouseHandling() { return mouseInteraction; }
    bool hasContext() const { return context != nullptr; }
    // The last step of the initialisation: the Custom Music and Custom Background dialogs,
    // created hidden, owned by `owner` (the frame) so that they stay above the tank. Nothing is
    // made when the initialisation stopped early.
    void CreateDialogs(QWidget* owner);
    // The popup's "  Custom Music" (1050) and "  Custom Background" (1052): centres that dialog
    // over `owner` and shows it.
    void ShowDialog(int commandId, QWidget* owner);
    CustomMusicDialog* musicDialog() const;
    CustomBackgroundDialog* backgroundDialog() const;
    // Releases the OpenGL context and the dialogs and stops the frame timer.
    void ReleaseOpenGL();
    // One frame into the window (also used on expose).
    void RenderFrame();

  signals:
    // The first frame has reached the screen.
    void firstFrameShown();

  protected:
    void timerEvent(QTimerEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The mouse goes to `mouseInteraction`, in the scene's viewport pixels.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void InitOpenGL();
    // The physical pixel size of the screen that shows the window.
    QSize screenPixelSize() const;
    QPoint viewportPoint(const QMouseEvent* event) const;
    // A modal dialog that has just been shown and is not on the screen yet: its first paint
    // goes before the next frame, timed or exposed (for at most 25 frame ticks).
    bool modalWindowPending();

    bool makeContextCurrent();

    std::unique_ptr<QOpenGLContext> context;
    // Where the built-in pictures and sound are unpacked: the private runtime folder.
    const std::string assetFolder;
    Scene aquarium;
    StepClock stepClock;
    MouseInteraction mouseInteraction{*this, aquarium.mouse};
    AmbientSound ambientSound{assetFolder};
    QBasicTimer frameTimer;
    bool firstFrameDone = false;
    const bool checkGlErrors = glChecksRequested();
    long framesDrawn = 0; // counted only when checkGlErrors is set
    int heldTicks = 0;
    bool sceneReady = false;
    std::unique_ptr<PictureTextureMaker> pictureMaker;
    QPointer<CustomMusicDialog> music;
    QPointer<CustomBackgroundDialog> background;
};

} // namespace quelmarine
