#include "desktop/dialogs/ListDialog.h"

#include "desktop/controls/CustomListCtrl.h"
#include "desktop/controls/HoverButton.h"
#include "desktop/dialogs/DialogPlacement.h"
#include "desktop/dialogs/DialogWindowFlags.h"
#include "res/ResourceIds.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimerEvent>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace quelmarine {

namespace {
const char* const kModeTexts[3] = {"Repeat One", "Repeat All", "Random "};
}

ListDialog::ListDialog(QWidget* owner, const QString& caption) : QDialog(owner) {
    useDialogWindowFlags(this);
    setWindowTitle(caption);
    setModal(false);
    timer.start(kListTickMs, Qt::PreciseTimer, this);
}

void ListDialog::showCentredOver(const QWidget* owner) {
    adjustSize();
    if (owner) {
        const QRect area = owner->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    placeBesideOpenDialog();
    show();
    raise();
    activateWindow();
}

ListDialog* ListDialog::openSibling() const {
    if (!parentWidget())
        return nullptr;
    for (ListDialog* other : parentWidget()->findChildren<ListDialog*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->isVisible() && !other->isMinimized())
            return other;
    return nullptr;
}

void ListDialog::placeBesideOpenDialog() {
    ListDialog* other = openSibling();
    if (!other)
        return;
    const QScreen* screen = other->screen() ? other->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The window manager's frame round the open dialog is taken to be the same round this one.
    const QRect otherFrame = other->frameGeometry();
    const QSize decoration = otherFrame.size() - other->geometry().size();
    const int titleHeight = std::max(other->geometry().top() - otherFrame.top(), 24);
    const DialogPlaces places = placeBeside(QRect(pos(), size() + decoration), otherFrame,
                                            screen->availableGeometry(), 8, titleHeight);
    // Until this dialog has had a frame, moving it places its own area, not its frame.
    const bool frameKnown = frameGeometry().size() != size();
    move(places.opening.topLeft() +
         (frameKnown ? QPoint() : other->geometry().topLeft() - otherFrame.topLeft()));
    if (places.open != otherFrame)
        other->move(places.open.topLeft());
}

QGroupBox* ListDialog::makeModeButtons(const QString& title, std::array<int, 3> ids) {
    auto* group = new QGroupBox(title, this);
    auto* layout = new QVBoxLayout(group);
    for (int m = 0; m < 3; ++m) {
        auto* button = new ImageCheckBox(QString::fromLatin1(kModeTexts[m]), group);
        button->setColours(QColor(0, 255, 0), QColor(0, 0, 0)); // lit green, else black
        button->setObjectName(QString::number(ids[std::size_t(m)]));
        connect(button, &ImageCheckBox::clicked, this, [this, m] {
            lightMode(PlayMode(m));
            modeChosen(PlayMode(m));
        });
        modeButtons[std::size_t(m)] = button;
        layout->addWidget(button);
    }
    return group;
}

void ListDialog::lightMode(PlayMode mode) {
    for (int m = 0; m < 3; ++m)
        modeButtons[std::size_t(m)]->setChecked(m == mode);
}

void ListDialog::setUpList(QTreeWidget* list, const QStringList& columns, const QList<int>& widths,
                           int id) {
    list->setObjectName(QString::number(id));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHeaderLabels(columns);
    list->header()->setDefaultAlignment(Qt::AlignCenter);
    list->header()->setStretchLastSection(false);
    int total = 0;
    for (int c = 0; c < widths.size(); ++c) {
        list->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    list->setMinimumWidth(total + 4);
    QPalette colours = list->palette();
    colours.setColor(QPalette::Base, kListBackground);
    colours.setColor(QPalette::Text, CustomListCtrl::rowTextColour());
    list->setPalette(colours);
}

void ListDialog::setRowCount(QTreeWidget* list, int count) {
    while (list->topLevelItemCount() > count)
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    while (list->topLevelItemCount() < count)
        new QTreeWidgetItem(list);
}

ImageCheckBox* ListDialog::makeSwitch(const QString& text, int id, QWidget* parent) {
    auto* box = new ImageCheckBox(text, parent);
    box->setObjectName(QString::number(id));
    box->setIcons(kResourceCheckedIcon, kResourceUncheckedIcon);
    return box;
}

void ListDialog::message(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, this);
    useDialogWindowFlags(box);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

QString ListDialog::chooseFile(const QString& description, const QStringList& extensions) {
    QFileDialog dialog(this);
    useDialogWindowFlags(&dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(caseFreeFilter(description, extensions));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QAbstractButton* ListDialog::control(int id) const {
    return findChild<QAbstractButton*>(QString::number(id));
}

QPushButton* ListDialog::makeButton(const char* text, int id, bool hover) {
    QPushButton* button = hover ? new HoverButton(QString::fromLatin1(text), this)
                                : new QPushButton(QString::fromLatin1(text), this);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

void ListDialog::reject() {
    hide();
    saveOnHide();
}

void ListDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer.timerId())
        tick();
    else
        QDialog::timerEvent(event);
}

QString caseFreeFilter(const QString& description, const QStringList& extensions) {
    QStringList patterns;
    for (const QString& extension : extensions) {
        QString pattern = QStringLiteral("*.");
        for (QChar c : extension) {
            if (c.isLetter())
                pattern += u'[' + c.toLower() + c.toUpper() + u']';
            else
                pattern += c;
        }
        patterns << pattern;
    }
    return description + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

} // namespace quelmarine
