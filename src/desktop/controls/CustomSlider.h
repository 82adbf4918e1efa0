#pragma once
// A slider with a round red thumb in a green outline (a red-and-green checkerboard while it is
// dragged), a thin green frame round its channel and two dots at its ends: white at the
// minimum, green at the maximum.

#include <QBrush>
#include <QColor>
#include <QSlider>

namespace quelmarine {

class CustomSlider : public QSlider {
    Q_OBJECT
  public:
    explicit CustomSlider(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    static QColor thumbColour() { return {255, 0, 0}; }
    static QColor thumbOutlineColour() { return {0, 255, 0}; }
    static QColor patternForeColour() { return {0, 255, 0}; }
    static QColor channelShadowColour() { return {0, 255, 0}; }
    static QColor endDotColour() { return {0, 255, 0}; }

    // The thumb's and the channel's boxes in widget pixels.
    QRect thumbBox() const;
    QRect channelBox() const;
    // The dots' boxes: the minimum end's first.
    QRect minimumDotBox() const;
    QRect maximumDotBox() const;
    // Paints the slider as it looks now into `painter`, over the widget's rectangle.
    void paintSlider(QPainter& painter) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QBrush thumbPatternBrush(const QRect& thumb) const;
};

} // namespace quelmarine
