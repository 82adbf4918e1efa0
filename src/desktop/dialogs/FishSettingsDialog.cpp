#include "desktop/dialogs/FishSettingsDialog.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>

#include "desktop/controls/DialogUnits.h"
#include "desktop/controls/HoverButton.h"
#include "desktop/controls/HyperlinkStatic.h"
#include "desktop/dialogs/DialogWindowFlags.h"
#include "desktop/menu/UiArt.h"
#include "res/ResourceIds.h"
#include "tank/scene/ProductInfo.h"

namespace quelmarine {

namespace {

// Control ids and their boxes in dialog units.
constexpr int kIdAdd = 1007, kIdDelete = 1008, kIdRandom = 1009, kIdClear = 1010;
constexpr int kIdOk = 1, kIdCancel = 2, kIdLink = 1037, kIdTotal = 1001;

struct ControlBox {
    int id;
    const char* caption;
    int x, y, w, h;
};

constexpr ControlBox kButtons[] = {
    {kIdAdd, "&Add", 121, 324, 27, 15},       {kIdDelete, "&Delete", 150, 324, 32, 15},
    {kIdRandom, "&Random", 184, 324, 31, 15}, {kIdClear, "&Clear", 217, 324, 27, 15},
    {kIdOk, "OK", 211, 209, 47, 21},          {kIdCancel, "Cancel", 283, 209, 47, 21},
};
constexpr ControlBox kLinkBox{kIdLink, nullptr, 9, 332, 113, 12};
constexpr ControlBox kTotalBox{kIdTotal, "Total:25  (Max:25)", 252, 332, 81, 8};
// The client area in dialog units.
constexpr int kDialogWidth = 334, kDialogHeight = 345;
// The widest total the label is fitted for.
constexpr const char* kWidestTotal = "Total: 25   (Max:25)";

const char* kControlIdProperty = "controlId";

QRect pixels(const ControlBox& box) {
    return dialogUnitsToPixels(box.x, box.y, box.w, box.h);
}

} // namespace

FishSettingsDialog::FishSettingsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kCaption);
    setWindowFlags(dialogWindowFlags() | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(dialogUnitsToPixelsX(kDialogWidth), dialogUnitsToPixelsY(kDialogHeight));
    setAttribute(Qt::WA_OpaquePaintEvent);
    createControls();
    counts.load();
    saveTimer.start(kSavePeriodMs, this);
    countsChanged();
}

FishSettingsDialog::~FishSettingsDialog() = default;

FishSettingsDialog::Handler FishSettingsDialog::handlerOf(int controlId) {
    switch (controlId) {
    case kIdAdd:
        return &FishSettingsDialog::onAdd;
    case kIdDelete:
        return &FishSettingsDialog::onDelete;
    case kIdRandom:
        return &FishSettingsDialog::onRandom;
    case kIdClear:
        return &FishSettingsDialog::onClear;
    case kIdOk:
        return &FishSettingsDialog::accept;
    default:
        return &FishSettingsDialog::reject;
    }
}

void FishSettingsDialog::createControls() {
    std::vector<CaptionBox> captions;
    for (const ControlBox& box : kButtons)
        captions.push_back({box.caption, pixels(box).size()});
    captions.push_back({kProductWebSite, pixels(kLinkBox).size()});
    captions.push_back({kWidestTotal, pixels(kTotalBox).size()});
    setFont(fittedDialogFont(captions));

    for (const ControlBox& box : kButtons) {
        auto* control = new HoverButton(box.caption, this);
        control->setProperty(kControlIdProperty, box.id);
        control->setGeometry(pixels(box));
        control->setAutoDefault(false);
        control->installEventFilter(this);
        connect(control, &QPushButton::clicked, this, handlerOf(box.id));
        // OK and Cancel stay hidden: Enter and Esc reach them.
        if (box.id == kIdOk)
            control->setDefault(true);
        if (box.id == kIdOk || box.id == kIdCancel)
            control->hide();
    }

    addressLine = new HyperlinkStatic(kProductWebSite, this);
    addressLine->setProperty(kControlIdProperty, kIdLink);
    addressLine->setGeometry(pixels(kLinkBox));
    addressLine->takeOver();
    addressLine->installEventFilter(this);

    totalLabel = new QLabel(kTotalBox.caption, this);
    totalLabel->setProperty(kControlIdProperty, kIdTotal);
    totalLabel->setGeometry(pixels(kTotalBox));
    totalLabel->setAutoFillBackground(true);
    QPalette palette = totalLabel->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 239));
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    totalLabel->setPalette(palette);
    totalLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

HoverButton* FishSettingsDialog::button(int controlId) const {
    for (HoverButton* control : findChildren<HoverButton*>())
        if (control->property(kControlIdProperty).toInt() == controlId)
            return control;
    return nullptr;
}

const QImage& FishSettingsDialog::picture(qreal devicePixelRatio) {
    // Loaded once for each ratio the dialog is shown at.
    static QHash<qreal, QImage> loaded;
    auto found = loaded.find(devicePixelRatio);
    if (found == loaded.end())
        found = loaded.insert(
            devicePixelRatio,
            loadUiPicture(QString(":/bitmaps/%1.bmp").arg(kResourceFishPicture), devicePixelRatio));
    return *found;
}

QString FishSettingsDialog::totalText() const {
    return QString("Total: %1   (Max:25)").arg(counts.total());
}

void FishSettingsDialog::countsChanged() {
    totalLabel->setText(totalText());
    update();
}

void FishSettingsDialog::centreOnScreenOf(QWidget* owner) {
    QScreen* screen = owner ? owner->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect box = geometry();
    box.moveCenter(screen->geometry().center());
    move(box.topLeft());
}

void FishSettingsDialog::run(QWidget* owner) {
    FishSettingsDialog dialog(owner);
    dialog.centreOnScreenOf(owner);
    dialog.exec();
}

void FishSettingsDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawImage(0, 0, picture(devicePixelRatioF()));
    // The counts, black, in the bold general font, at the top-left of each cell.
    painter.setPen(Qt::black);
    QFont countFont = QApplication::font();
    countFont.setBold(true);
    painter.setFont(countFont);
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < kFishSpecies; ++i) {
        const FishCountEditor::CellBox cell = FishCountEditor::cell(i);
        painter.drawText(cell.left + 2, cell.top + 2 + metrics.ascent(),
                         QString::number(counts.counts[i]));
    }
    // The selected species under an inverted oval.
    if (counts.selection >= 0 && counts.selection < kFishSpecies) {
        const FishCountEditor::CellBox cell = FishCountEditor::cell(counts.selection);
        const QRect box(QPoint(cell.left, cell.top), QPoint(cell.right - 1, cell.bottom - 1));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        else
            painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.drawEllipse(box);
    }
}

void FishSettingsDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        counts.press(point.x(), point.y());
        update();
    }
    QDialog::mousePressEvent(event);
}

void FishSettingsDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is the double click, not another press.
    if (event->button() == Qt::LeftButton)
        onAdd();
    else if (event->button() == Qt::RightButton)
        onDelete();
}

bool FishSettingsDialog::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return true;
    }
    if (modifiers & Qt::KeypadModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_A:
        onAdd();
        return true;
    case Qt::Key_D:
        onDelete();
        return true;
    case Qt::Key_R:
        onRandom();
        return true;
    case Qt::Key_C:
        onClear();
        return true;
    default:
        return false;
    }
}

void FishSettingsDialog::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event))
        QDialog::keyPressEvent(event);
}

bool FishSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    // The letter keys reach the dialog before the focused control sees them.
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void FishSettingsDialog::onAdd() {
    if (counts.add())
        countsChanged();
}

void FishSettingsDialog::onDelete() {
    if (counts.remove())
        countsChanged();
}

void FishSettingsDialog::onRandom() {
    counts.randomize();
    countsChanged();
}

void FishSettingsDialog::onClear() {
    counts.clear();
    countsChanged();
}

void FishSettingsDialog::save() {
    counts.save();
}

void FishSettingsDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == saveTimer.timerId())
        save();
    else
        QDialog::timerEvent(event);
}

void FishSettingsDialog::accept() {
    save();
    QDialog::accept();
}

void FishSettingsDialog::closeEvent(QCloseEvent* event) {
    // The close box saves; Esc (reject) does not come this way.
    save();
    QDialog::closeEvent(event);
}

void FishSettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Take the keyboard at once, also where no window manager hands it over.
    activateWindow();
}

} // namespace quelmarine
