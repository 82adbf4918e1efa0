#pragma once
// A check box whose mark is either a pair of icons (one for checked, one for unchecked) or a
// coloured disc, with a highlighted rounded frame while the mouse is over it. A click toggles
// the check first and then emits clicked(), once per click, so a handler reads the new state.

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace quelmarine {

class ImageCheckBox : public QAbstractButton {
    Q_OBJECT
  public:
    explicit ImageCheckBox(const QString& text = {}, QWidget* parent = nullptr);

    // 1 and 2 check the box, every other value clears it.
    void setCheck(int value, bool redraw = true);
    int getCheck() const { return isChecked() ? 1 : 0; }
    // Loads both icons from the program's icons by resource id and redraws.
    void setIcons(int checkedIconId, int uncheckedIconId);
    // The disc colours (the defaults are green and dark green) and redraws.
    void setColours(const QColor& checked, const QColor& unchecked);

    // Layout: the caption's horizontal alignment (left by default, centre or right) and
    // whether the caption stands left of the mark.
    void setTextAlignment(Qt::Alignment horizontal);
    void setTextOnLeft(bool onLeft);
    void setIndicatorSize(int pixels);

    bool isMouseOver() const { return mouseOver; }
    bool hasIcons() const { return !checkedIcon.isNull() && !uncheckedIcon.isNull(); }
    // Where the mark is drawn, in widget pixels.
    QRect indicatorBox() const;
    // Paints the box as it looks now into `painter`, over the widget's rectangle.
    void paintBox(QPainter& painter) const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void setMouseOver(bool over);
    QRect layoutBox() const;
    int indicatorSide() const;

    Qt::Alignment textAlignment = Qt::AlignLeft;
    bool textOnLeft = false;
    bool mouseOver = false;
    int indicatorSize = 15;
    QColor checkedColour{0, 255, 0};
    QColor uncheckedColour{0, 127, 0};
    QPixmap checkedIcon, uncheckedIcon;
    // Their resource ids: painted in the size that fits the screen's device pixel ratio.
    int checkedIconId = 0, uncheckedIconId = 0;
};

} // namespace quelmarine
