#pragma once
// The main frame: a borderless top-level window that covers the screen and hosts the view.

#include <QPointer>
#include <QScreen>
#include <QWidget>

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
    AquariumView* aquariumView = nullptr; // owned by its container widget
    QWidget* container = nullptr;
    QPointer<QScreen> targetScreen;
};

} // namespace quelmarine
