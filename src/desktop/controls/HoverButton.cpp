#include "desktop/controls/HoverButton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "desktop/controls/EdgePainting.h"
#include "desktop/controls/SystemColours.h"

namespace quelmarine {

HoverButton::HoverButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent), faceColour(buttonFaceColour()), textColour(buttonTextColour()) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
}

void HoverButton::setShowText(bool show) {
    showText = show;
    update();
}

void HoverButton::setFlatBorder(bool flat) {
    flatBorder = flat;
    update();
}

void HoverButton::setMouseOver(bool over) {
    if (mouseOver == over)
        return;
    mouseOver = over;
    update();
}

void HoverButton::paintButton(QPainter& painter, const QRect& box) const {
    painter.fillRect(box, faceColour);
    const bool pressed = isDown();
    if (flatBorder) {
        if (pressed)
            drawEdge(painter, box, buttonShadowColour(), buttonHighlightColour());
        else if (mouseOver)
            drawEdge(painter, box, buttonHighlightColour(), buttonShadowColour());
    }
    const QString caption = text();
    if (!showText || caption.isEmpty())
        return;
    painter.setFont(font());
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect textBox = pressed ? box.translated(1, 1) : box;
    if (!isEnabled()) {
        drawEmbossedText(painter, textBox, flags, caption);
        return;
    }
    painter.setPen(textColour);
    painter.drawText(textBox, flags, caption);
}

void HoverButton::paintEvent(QPaintEvent*) {
    // Drawn off screen first, then copied in one step.
    const qreal ratio = devicePixelRatioF();
    QPixmap buffer(size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        paintButton(painter, rect());
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void HoverButton::mouseMoveEvent(QMouseEvent* event) {
    const bool leftHeld = event->buttons().testFlag(Qt::LeftButton);
    if (!(leftHeld && !mouseOver)) {
        if (rect().contains(event->position().toPoint()))
            setMouseOver(true);
        else
            setMouseOver(false);
    }
    QPushButton::mouseMoveEvent(event);
}

void HoverButton::enterEvent(QEnterEvent* event) {
    // A drag that started elsewhere does not light the button.
    if (!QGuiApplication::mouseButtons().testFlag(Qt::LeftButton) || isDown())
        setMouseOver(true);
    QPushButton::enterEvent(event);
}

void HoverButton::leaveEvent(QEvent* event) {
    setMouseOver(false);
    QPushButton::leaveEvent(event);
}

void HoverButton::focusOutEvent(QFocusEvent* event) {
    setMouseOver(false);
    QPushButton::focusOutEvent(event);
}

} // namespace quelmarine
