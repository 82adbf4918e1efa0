#pragma once
// The main frame: a borderless top-level window that covers the screen and hosts the view.
// On Wayland the view is a full-screen window of its own instead, and the frame, never shown,
// only owns the dialogs: embedded, the view would be a subsurface of the frame, which some
// compositors (weston) never show, as they wait for the frame itself to draw again.

#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <memory>

namespace quelmarine {

class AquariumView;

class CMainFrame : public QWidget {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;
    // Sizes the frame to the screen under the mouse pointer (at start-up) and shows it.
    void showCoveringScreen();
    AquariumView* view() const { return aquariumView; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    // The view is a window of its own rather than one inside the frame.
    const bool viewIsTopLevel;
    AquariumView* aquariumView = nullptr; // owned by its container widget, or by `ownView`
    std::unique_ptr<AquariumView> ownView;
    QWidget* container = nullptr;
    QPointer<QScreen> targetScreen;
};

} // namespace quelmarine
