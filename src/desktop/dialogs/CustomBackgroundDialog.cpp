#include "desktop/dialogs/CustomBackgroundDialog.h"

#include "desktop/controls/CustomListCtrl.h"
#include "desktop/controls/ReportList.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quelmarine {

CustomBackgroundDialog::CustomBackgroundDialog(QWidget* owner, PictureTextures& textureMaker)
    : ListDialog(owner, QString::fromLatin1(kBackgroundCaption)), list(textureMaker) {
    ownImage = makeSwitch(QString(), kOwnImage, this);
    auto* ownLabel = new QLabel(QStringLiteral("Use your own image"), this);
    rows = new ReportList(this);
    setUpList(rows, {QStringLiteral("Backgrounds Directory"), QStringLiteral("State")}, {430, 50},
              kList);
    QPushButton* add = makeButton("Add Image", kAddImage, true);
    QPushButton* remove = makeButton("Remove Image", kRemoveImage, true);
    QPushButton* removeAll = makeButton(kRemoveAllText, kRemoveAll, true);
    QGroupBox* modes = makeModeButtons(QString(), {kRepeatOne, kRepeatAll, kRandom});
    interval = new QLineEdit(this);
    interval->setObjectName(QString::number(kInterval));
    interval->setMaximumWidth(60);

    auto* timing = new QHBoxLayout;
    timing->addWidget(new QLabel(QStringLiteral("Interval"), this));
    timing->addWidget(interval);
    timing->addWidget(new QLabel(QStringLiteral("S"), this));
    timing->addStretch(1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add, remove, removeAll})
        buttons->addWidget(b);
    auto* lower = new QHBoxLayout;
    lower->addWidget(modes);
    lower->addLayout(timing, 1);
    auto* layout = new QVBoxLayout(this);
    auto* own = new QHBoxLayout;
    own->addWidget(ownImage);
    own->addWidget(ownLabel, 1);
    layout->addLayout(own);
    layout->addWidget(rows, 1);
    layout->addLayout(buttons);
    layout->addLayout(lower);

    connect(ownImage, &ImageCheckBox::clicked, this, [this](bool on) { list.setOwnImage(on); });
    connect(add, &QPushButton::clicked, this, [this] {
        const QString path = chooseFile(QString::fromLatin1(kPictureFilter),
                                        {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                         QStringLiteral("bmp"), QStringLiteral("png")});
        if (!path.isEmpty())
            addImageFile(path);
    });
    connect(remove, &QPushButton::clicked, this, [this] { list.removeSelectedPicture(); });
    connect(removeAll, &QPushButton::clicked, this, [this] { list.removeAll(); });
    connect(interval, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!refreshing)
            list.setInterval(text.toStdString());
    });
    forwardRowEvents(rows, list, refreshing);

    list.changed = [this] { refresh(); };
    list.showMessage = [this](const std::string& text) { message(QString::fromStdString(text)); };
    list.loadSection();
    refresh();
}

CustomBackgroundDialog::~CustomBackgroundDialog() {
    list.changed = nullptr;
    list.showMessage = nullptr;
}

unsigned CustomBackgroundDialog::backdropTexture() const {
    return shownUserBackdrop(list.currentTexture);
}

void CustomBackgroundDialog::addImageFile(const QString& path) {
    list.addPictureFromButton(path.toStdString());
}

void CustomBackgroundDialog::refresh() {
    refreshing = true;
    const std::vector<BackgroundPictures::Row>& pictures = list.rows();
    setRowCount(rows, int(pictures.size()));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        QTreeWidgetItem* item = rows->topLevelItem(int(i));
        item->setText(0, QString::fromStdString(pictures[i].path));
        item->setToolTip(0, item->text(0));
        const bool failed = pictures[i].state == BackgroundPictures::PictureState::Failed;
        item->setText(1, QString::fromLatin1(failed           ? kPictureFailed
                                             : pictures[i].on ? kPictureOn
                                                              : kPictureOff));
        for (int c = 0; c < 2; ++c) {
            item->setTextAlignment(c, Qt::AlignCenter);
            item->setForeground(c, CustomListCtrl::rowTextColour());
            item->setBackground(c, kListBackground);
        }
        item->setSelected(int(i) == list.selection());
    }
    ownImage->setChecked(list.isOwnImage());
    lightMode(list.playMode());
    if (interval->text().toStdString() != list.interval())
        interval->setText(QString::fromStdString(list.interval()));
    refreshing = false;
}

} // namespace quelmarine
