#include "desktop/controls/CustomSlider.h"

#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include "desktop/controls/EdgePainting.h"

namespace quelmarine {

namespace {
constexpr int kDotSide = 7;
}

CustomSlider::CustomSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {}

QRect CustomSlider::thumbBox() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

QRect CustomSlider::channelBox() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
}

QRect CustomSlider::minimumDotBox() const {
    return QRect(1, 1, kDotSide, kDotSide);
}

QRect CustomSlider::maximumDotBox() const {
    if (orientation() == Qt::Horizontal)
        return QRect(width() - 1 - kDotSide, 1, kDotSide, kDotSide);
    return QRect(1, height() - 1 - kDotSide, kDotSide, kDotSide);
}

QBrush CustomSlider::thumbPatternBrush(const QRect& thumb) const {
    // An 8 x 8 checkerboard whose rows alternate 0x55 and 0xAA, anchored to the thumb.
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        const int bits = y % 2 == 0 ? 0x55 : 0xAA;
        for (int x = 0; x < 8; ++x)
            pattern.setPixelColor(x, y,
                                  (bits >> (7 - x)) & 1 ? patternForeColour() : thumbColour());
    }
    QBrush brush(pattern);
    brush.setTransform(QTransform::fromTranslate(thumb.right() % 8, thumb.top() % 8));
    return brush;
}

void CustomSlider::paintSlider(QPainter& painter) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    // The channel and the tick marks as the style draws them; the thumb is ours.
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderTickmarks;
    option.activeSubControls = QStyle::SC_None;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect channel = channelBox().adjusted(1, 1, -1, -1);
    drawEdge(painter, channel, channelShadowColour(), patternForeColour());

    // Ellipses as the classic drawing functions make them: unsmoothed, the pen inside the box.
    const QRect thumb = thumbBox();
    painter.setPen(QPen(thumbOutlineColour(), 1));
    painter.setBrush(isSliderDown() ? thumbPatternBrush(thumb) : QBrush(thumbColour()));
    painter.drawEllipse(thumb.adjusted(0, 0, -1, -1));

    painter.setPen(QPen(thumbColour(), 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(minimumDotBox().adjusted(0, 0, -1, -1));
    painter.setBrush(endDotColour());
    painter.drawEllipse(maximumDotBox().adjusted(0, 0, -1, -1));
    painter.restore();
}

void CustomSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSlider(painter);
}

} // namespace quelmarine
