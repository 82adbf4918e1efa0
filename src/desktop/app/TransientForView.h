#pragma once
// Where the tank is a top-level window of its own (on Wayland), the frame stays hidden and its
// windows (the dialogs, their message boxes and file dialogs, the popup menu) would belong to
// no window on the screen: the compositor could then put them anywhere, even under the
// full-screen tank. This filter makes each of them belong to the tank's window as it is shown,
// and gives each dialog the keyboard once it is on the screen.

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <QWindow>

namespace quelmarine {

class TransientForView : public QObject {
    Q_OBJECT
  public:
    TransientForView(QWidget* frame, QWindow* view);
    ~TransientForView() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool windowExposed(QObject* watched, QEvent* event);

    QPointer<QWidget> frame;
    QPointer<QWindow> view;
    // Dialogs shown that ask for the keyboard once they are on the screen.
    QSet<QWindow*> awaitingKeyboard;
};

} // namespace quelmarine
