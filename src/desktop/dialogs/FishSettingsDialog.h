#pragma once
// The Fish Settings dialog: a picture of the five species with their counts, a click selects
// one, and Add, Delete, Random and Clear (buttons, the keys A, D, R and C, double clicks)
// change the counts. Every 500 ms the counts are saved and handed to the running tank. Enter
// and the close box save and close; Esc closes without a final save.

#include <QBasicTimer>
#include <QDialog>
#include <QImage>

#include "desktop/dialogs/FishCountEditor.h"

class QLabel;

namespace quelmarine {

class HoverButton;
class HyperlinkStatic;

class FishSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "Fish Settings - Quelmarine Fish 3D Screensaver 1.0";
    static constexpr int kSavePeriodMs = 500;

    explicit FishSettingsDialog(QWidget* parent = nullptr);
    ~FishSettingsDialog() override;

    // Creates the dialog over `owner`, centred on the screen that shows it, runs it modally
    // and disposes of it.
    static void run(QWidget* owner);

    const FishCountEditor& editor() const { return counts; }
    // The text of the total label.
    QString totalText() const;
    HoverButton* button(int controlId) const;
    HyperlinkStatic* link() const { return addressLine; }
    // Centres the dialog on the screen that shows `owner` (the primary screen without one).
    void centreOnScreenOf(QWidget* owner);

    // The picture of the five species (500 x 512 in the dialog's coordinates) for a screen of
    // `devicePixelRatio`, loaded once for each.
    static const QImage& picture(qreal devicePixelRatio = 1);

  public slots:
    void accept() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    using Handler = void (FishSettingsDialog::*)();
    // What the button with this id does.
    static Handler handlerOf(int controlId);
    void createControls();
    // The letter keys and Enter; true when the key was used.
    bool handleKey(QKeyEvent* event);
    void onAdd();
    void onDelete();
    void onRandom();
    void onClear();
    void countsChanged();
    void save();

    FishCountEditor counts;
    QBasicTimer saveTimer;
    QLabel* totalLabel = nullptr;
    HyperlinkStatic* addressLine = nullptr;
};

} // namespace quelmarine
