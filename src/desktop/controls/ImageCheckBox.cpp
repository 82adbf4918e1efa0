#include "desktop/controls/ImageCheckBox.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "desktop/controls/EdgePainting.h"
#include "desktop/controls/HoverRules.h"
#include "desktop/controls/SystemColours.h"
#include "desktop/menu/UiArt.h"

namespace quelmarine {

namespace {
constexpr int kTextGap = 3;
}

ImageCheckBox::ImageCheckBox(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setCheckable(true);
    setMouseTracking(true);
}

void ImageCheckBox::setCheck(int value, bool redraw) {
    const bool blocked = blockSignals(true);
    setChecked(value == 1 || value == 2);
    blockSignals(blocked);
    if (redraw)
        update();
}

void ImageCheckBox::setIcons(int checkedIconId, int uncheckedIconId) {
    checkedIcon = loadMenuIcon(checkedIconId);
    uncheckedIcon = loadMenuIcon(uncheckedIconId);
    this->checkedIconId = checkedIconId;
    this->uncheckedIconId = uncheckedIconId;
    update();
}

void ImageCheckBox::setColours(const QColor& checked, const QColor& unchecked) {
    checkedColour = checked;
    uncheckedColour = unchecked;
    update();
}

void ImageCheckBox::setTextAlignment(Qt::Alignment horizontal) {
    textAlignment = horizontal & Qt::AlignHorizontal_Mask;
    update();
}

void ImageCheckBox::setTextOnLeft(bool onLeft) {
    textOnLeft = onLeft;
    update();
}

void ImageCheckBox::setIndicatorSize(int pixels) {
    indicatorSize = pixels;
    update();
}

void ImageCheckBox::setMouseOver(bool over) {
    if (mouseOver == over)
        return;
    mouseOver = over;
    update();
}

QRect ImageCheckBox::layoutBox() const {
    return rect().adjusted(3, 3, -3, -3);
}

int ImageCheckBox::indicatorSide() const {
    if (hasIcons())
        return qRound(checkedIcon.width() / checkedIcon.devicePixelRatio());
    return indicatorSize;
}

QRect ImageCheckBox::indicatorBox() const {
    const QRect layout = layoutBox();
    const int side = indicatorSide();
    const int top = (layout.height() - side) / 2 + 2;
    const int left = textOnLeft ? layout.right() + 1 - side : layout.left();
    return QRect(left, top, side, side);
}

QSize ImageCheckBox::sizeHint() const {
    const QFontMetrics metrics(font());
    const int side = indicatorSide();
    return {side + kTextGap + metrics.horizontalAdvance(text()) + 8,
            std::max(side, metrics.height()) + 6};
}

void ImageCheckBox::paintBox(QPainter& painter) const {
    const QRect box = rect();
    const bool pressed = isDown();
    const bool disabled = !isEnabled();
    painter.save();
    // Background: the highlighted rounded frame under the mouse, else the button face.
    if (mouseOver) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(buttonHighlightColour());
        painter.drawRoundedRect(box.adjusted(0, 0, -1, -1), 2, 2);
    } else {
        painter.fillRect(box, buttonFaceColour());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = box.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }

    const QRect layout = layoutBox();
    const QRect indicator = indicatorBox();
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    if (hasIcons()) {
        const QPixmap icon =
            loadMenuIcon(isChecked() ? checkedIconId : uncheckedIconId, devicePixelRatioF());
        const QRect target(QPoint(indicator.left(), 0) + shift, indicator.size());
        if (disabled)
            painter.drawPixmap(target,
                               style()->generatedIconPixmap(QIcon::Disabled, icon, nullptr));
        else
            painter.drawPixmap(target, icon);
    } else {
        const QColor fill =
            disabled ? buttonShadowColour() : (isChecked() ? checkedColour : uncheckedColour);
        const QRect disc = indicator.translated(shift);
        // Unsmoothed, the pen inside the box, as the classic drawing functions make them.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(fill);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawEllipse(disc.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(uncheckedColour, 1));
        painter.drawEllipse(disc.adjusted(1, 1, -2, -2));
    }

    const QString caption = text();
    if (!caption.isEmpty()) {
        QRect textBox = layout;
        if (textOnLeft)
            textBox.setRight(indicator.left() - kTextGap - 1);
        else
            textBox.setLeft(indicator.right() + 1 + kTextGap);
        textBox.translate(shift);
        const int flags = int(textAlignment) | Qt::AlignVCenter | Qt::TextWordWrap;
        painter.setFont(font());
        if (disabled) {
            drawEmbossedText(painter, textBox, flags, caption);
        } else {
            painter.setPen(buttonTextColour());
            painter.drawText(textBox, flags, caption);
        }
    }
    painter.restore();
}

void ImageCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBox(painter);
}

void ImageCheckBox::mouseMoveEvent(QMouseEvent* event) {
    setMouseOver(litAfterMove(mouseOver, *event, rect()));
    QAbstractButton::mouseMoveEvent(event);
}

void ImageCheckBox::enterEvent(QEnterEvent* event) {
    if (litOnEnter(isDown()))
        setMouseOver(true);
    QAbstractButton::enterEvent(event);
}

void ImageCheckBox::leaveEvent(QEvent* event) {
    setMouseOver(false);
    QAbstractButton::leaveEvent(event);
}

} // namespace quelmarine
