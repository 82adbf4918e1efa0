#include "desktop/dialogs/CustomMusicDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "desktop/controls/CustomListCtrl.h"
#include "desktop/controls/CustomSlider.h"
#include "desktop/platform/ProfileVolume.h"
#include "tank/ProcessState.h"

namespace quelmarine {

CustomMusicDialog::CustomMusicDialog(QWidget* owner)
    : ListDialog(owner, QString::fromLatin1(kMusicCaption)) {
    auto* own = new QGroupBox(QStringLiteral("Use your own music"), this);
    onOff = makeSwitch(QStringLiteral("On/Off"), kOnOff, own);
    (new QHBoxLayout(own))->addWidget(onOff);

    rows = new CustomListCtrl(this);
    setUpList(rows, {QStringLiteral("Music List")}, {500}, kList);

    addButton = makeButton("Add Music", kAddMusic);
    removeButton = makeButton("Remove", kRemove);
    removeAllButton = makeButton(kRemoveAllText, kRemoveAll);
    playButton = makeButton("Play", kPlay);
    QPushButton* stopButton = makeButton("Stop", kStop);

    QGroupBox* modes =
        makeModeButtons(QStringLiteral("Play Modes"), {kRepeatOne, kRepeatAll, kRandom});
    auto* volumeGroup = new QGroupBox(QStringLiteral("Volume"), this);
    volume = new CustomSlider(Qt::Horizontal, volumeGroup);
    volume->setObjectName(QString::number(kVolume));
    volume->setRange(0, 1000);
    (new QHBoxLayout(volumeGroup))->addWidget(volume);
    position = new QSlider(Qt::Horizontal, this);
    position->setObjectName(QString::number(kPosition));
    position->hide();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {addButton, removeButton, removeAllButton, playButton, stopButton})
        buttons->addWidget(b);
    auto* lower = new QHBoxLayout;
    lower->addWidget(modes);
    lower->addWidget(volumeGroup, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(own);
    layout->addWidget(rows, 1);
    layout->addLayout(buttons);
    layout->addLayout(lower);
    layout->addWidget(position);

    connect(onOff, &ImageCheckBox::clicked, this, [this](bool on) { list.setOn(on); });
    connect(addButton, &QPushButton::clicked, this, [this] {
        const QString path =
            chooseFile(QString::fromLatin1(kMusicFilter),
                       {QStringLiteral("mp3"), QStringLiteral("wav"), QStringLiteral("mpeg")});
        if (!path.isEmpty())
            addMusicFile(path);
    });
    connect(removeButton, &QPushButton::clicked, this, [this] { list.removeSelected(); });
    connect(removeAllButton, &QPushButton::clicked, this, [this] { list.removeAll(); });
    connect(playButton, &QPushButton::clicked, this, [this] { list.play(); });
    connect(stopButton, &QPushButton::clicked, this, [this] { list.stop(); });
    forwardRowEvents(rows, list, refreshing);
    connect(volume, &QSlider::valueChanged, this, [this](int v) {
        if (refreshing)
            return;
        list.moveVolume(v);
        if (!volume->isSliderDown())
            saveVolume(); // keys and clicks on the groove: no release follows
    });
    connect(volume, &QSlider::sliderReleased, this, [this] { saveVolume(); });
    connect(position, &QSlider::valueChanged, this, [this](int p) {
        if (!refreshing)
            list.movePosition(p);
    });

    list.changed = [this] { refresh(); };
    list.showMessage = [this](const std::string& text) { message(QString::fromStdString(text)); };
    list.initialise(readProfileVolume());
    refresh();
}

CustomMusicDialog::~CustomMusicDialog() {
    list.changed = nullptr;
    list.showMessage = nullptr;
}

void CustomMusicDialog::addMusicFile(const QString& path) {
    list.addTrack(path.toStdString());
}

void CustomMusicDialog::saveVolume() {
    writeProfileVolume(list.volume());
}

void CustomMusicDialog::tick() {
    list.timerTick();
    refreshing = true;
    position->setValue(list.positionSlider);
    refreshing = false;
}

void CustomMusicDialog::refresh() {
    refreshing = true;
    const std::vector<std::string>& tracks = list.rows();
    setRowCount(rows, int(tracks.size()));
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        QTreeWidgetItem* item = rows->topLevelItem(int(i));
        item->setText(0, QString::fromStdString(tracks[i]));
        item->setToolTip(0, item->text(0));
        item->setTextAlignment(0, Qt::AlignCenter);
        item->setSelected(int(i) == list.selection());
    }
    rows->refreshCurrentRow();
    onOff->setChecked(list.isOn());
    lightMode(list.playMode());
    const bool stopped = !list.isPlaying();
    for (QPushButton* b : {addButton, removeButton, removeAllButton, playButton})
        b->setEnabled(stopped);
    volume->setValue(list.volume());
    position->setRange(0, list.positionRange);
    position->setValue(list.positionSlider);
    refreshing = false;
}

} // namespace quelmarine
