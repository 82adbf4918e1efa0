#pragma once
// A flat push button: no edge at rest, a thin raised edge while the mouse is over it, a sunken
// edge with the caption moved by one pixel while it is pressed. The "&" of the caption marks
// the underlined access key; a disabled button shows its caption embossed. No focus frame.

#include <QColor>
#include <QPushButton>

namespace quelmarine {

class HoverButton : public QPushButton {
    Q_OBJECT
  public:
    explicit HoverButton(const QString& text = {}, QWidget* parent = nullptr);

    void setShowText(bool show);
    bool showsText() const { return showText; }
    void setFlatBorder(bool flat);
    bool hasFlatBorder() const { return flatBorder; }
    bool isMouseOver() const { return mouseOver; }

    // Paints the button as it looks now into `painter`, over `box` (the widget's rectangle).
    void paintButton(QPainter& painter, const QRect& box) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void setMouseOver(bool over);

    bool showText = true;
    bool flatBorder = true;
    bool mouseOver = false;
    QColor faceColour;
    QColor textColour;
};

} // namespace quelmarine
