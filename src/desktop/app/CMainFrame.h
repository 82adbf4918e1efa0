#pragma once
// The main frame: a borderless top-level window that covers the screen and hosts the view.

#include <QWidget>

namespace quelmarine {

class AquariumView;

class CMainFrame : public QWidget {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;
    // Sizes the frame to its screen and shows it.
    void showCoveringScreen();
    AquariumView* view() const { return aquariumView; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    AquariumView* aquariumView = nullptr; // owned by its container widget
    QWidget* container = nullptr;
};

} // namespace quelmarine
