#pragma once
// The window that shows the aquarium: it owns the OpenGL context and the scene, and runs the
// 10 ms frame timer.

#include <QBasicTimer>
#include <QWindow>
#include <memory>

#include "desktop/sound/AmbientSound.h"
#include "desktop/view/MouseInteraction.h"
#include "tank/scene/Scene.h"

class QOpenGLContext;

namespace quelmarine {

class AquariumView : public QWindow {
    Q_OBJECT
  public:
    // The window starts on `target` (the primary screen when null) and sizes the tank from it.
    explicit AquariumView(QScreen* target = nullptr);
    ~AquariumView() override;

    Scene& scene() { return aquarium; }
    MouseInteraction& mouseHandling() { return mouseInteraction; }
    bool hasContext() const { return context != nullptr; }
    // Releases the OpenGL context and stops the frame timer.
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

    std::unique_ptr<QOpenGLContext> context;
    Scene aquarium;
    MouseInteraction mouseInteraction{*this, aquarium.mouse};
    AmbientSound ambientSound;
    QBasicTimer frameTimer;
    bool firstFrameDone = false;
};

} // namespace quelmarine
