#pragma once
// Keeps the tank on the screen while a dialog is open. Some window managers minimise a dialog
// together with the window it belongs to (openbox does, from a key, a menu or a pager, even
// where the dialog shows no minimise button): the full-screen frame would vanish and leave a
// black screen that no right click or Esc reaches. When one of the frame's dialogs is
// minimised, or the frame is minimised while one of its dialogs is open, the guard brings the
// frame and its dialogs back. The frame minimised on its own, with no dialog open, stays so.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quelmarine {

class MinimiseGuard : public QObject {
    Q_OBJECT
  public:
    // Watches the top-level windows of the application on behalf of `frame`.
    explicit MinimiseGuard(QWidget* frame);
    ~MinimiseGuard() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The visible top-level windows that belong to the frame (its dialogs and theirs).
    QList<QWidget*> openDialogs() const;
    void restoreSoon();
    void restore();

    QPointer<QWidget> frame;
    QPointer<QWidget> wasActive;
    bool restorePending = false;
};

} // namespace quelmarine
