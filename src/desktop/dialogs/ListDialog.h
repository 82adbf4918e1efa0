#pragma once
// What the Custom Music and Custom Background dialogs share: modeless, created hidden, owned
// by the frame so they stay above the tank; Esc or closing only hides them (and saves their
// section); Enter does nothing; a 200 ms timer that runs shown or hidden; the three play-mode
// buttons; the coloured list; message boxes that never stop the tank; the file dialog.

#include <QBasicTimer>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <array>

#include "tank/settings/ListSection.h"

class QAbstractButton;
class QBoxLayout;
class QGroupBox;
class QPushButton;
class QTreeWidget;

#include "desktop/controls/ImageCheckBox.h"

namespace quelmarine {

class ListDialog : public QDialog {
    Q_OBJECT
  public:
    // Centres the dialog over `owner` and shows it; beside the other list dialog when that
    // one is open.
    void showCentredOver(const QWidget* owner);

  protected:
    ListDialog(QWidget* owner, const QString& caption);

    // The three mode buttons ("Repeat One", "Repeat All", "Random "), one lit at a time, with
    // their control ids; `chosen` gets the clicked mode.
    QGroupBox* makeModeButtons(const QString& title, std::array<int, 3> ids);
    void lightMode(PlayMode mode);
    // Sets up `list` (a ReportList, which draws the grid lines) with its control id: full-row
    // selection, one selection, the columns centred with their widths, a tan background.
    void setUpList(QTreeWidget* list, const QStringList& columns, const QList<int>& widths, int id);
    // Hands the row list's selection (while not `refreshing`) and clicks to `model`'s `select`
    // and `clickRow`, by row index (-1: nothing selected).
    template <typename Model>
    void forwardRowEvents(QTreeWidget* rows, Model& model, const bool& refreshing) {
        connect(rows, &QTreeWidget::itemSelectionChanged, this, [rows, &model, &refreshing] {
            if (refreshing)
                return;
            const QList<QTreeWidgetItem*> chosen = rows->selectedItems();
            model.select(chosen.isEmpty() ? -1 : rows->indexOfTopLevelItem(chosen.first()));
        });
        connect(rows, &QTreeWidget::itemClicked, this, [rows, &model](QTreeWidgetItem* item) {
            model.clickRow(rows->indexOfTopLevelItem(item));
        });
    }
    // Makes `list` hold `count` rows, keeping the first ones.
    static void setRowCount(QTreeWidget* list, int count);
    // The own-music or own-image switch: a check box showing icons 184 (on) and 183 (off).
    ImageCheckBox* makeSwitch(const QString& text, int id, QWidget* parent);
    // A message box owned by the dialog, with no caption, that returns at once.
    void message(const QString& text);
    // The open-file dialog for one file; `description` is shown as the filter's text and
    // `extensions` match in any letter case. Empty when cancelled.
    QString chooseFile(const QString& description, const QStringList& extensions);
    QAbstractButton* control(int id) const;
    // A push button with its control id that Enter does not press; a HoverButton with `hover`.
    QPushButton* makeButton(const char* text, int id, bool hover = false);

    void reject() override; // Esc and closing: hide, then save
    void accept() override {}
    void timerEvent(QTimerEvent* event) override;

    virtual void modeChosen(PlayMode mode) = 0;
    virtual void tick() = 0;
    virtual void saveOnHide() = 0;

    std::array<QAbstractButton*, 3> modeButtons{};

  private:
    // The other list dialog of the same owner, when it is on the screen.
    ListDialog* openSibling() const;
    void placeBesideOpenDialog();

    QBasicTimer timer;
};

// The label of the button that empties the list, in both dialogs.
inline constexpr const char* kRemoveAllText = "Remove All";

// The lists' background and text background: the background list's rows are drawn in it, the
// music list's rows in CustomListCtrl's own tan; the text of both is blue.
inline const QColor kListBackground(207, 184, 130);

// "Name (*.a;*.b) (*.[aA] *.[bB])": a name filter whose patterns match in any letter case.
QString caseFreeFilter(const QString& description, const QStringList& extensions);

} // namespace quelmarine
