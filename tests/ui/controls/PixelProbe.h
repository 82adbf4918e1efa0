#pragma once
// Looking at what a control painted: a distinct test palette with unsmoothed text (so every
// text pixel has the text's colour), grabs and colour searches shared by the control tests.

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QWidget>

namespace quelmarine::test {

// While it lives, the application palette has clearly different system colours and the
// application font draws without smoothing. Make it before the widgets under test.
class TestLook {
  public:
    TestLook() : oldPalette(QApplication::palette()), oldFont(QApplication::font()) {
        QPalette palette = oldPalette;
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Button, face());
            palette.setColor(group, QPalette::ButtonText, text());
            palette.setColor(group, QPalette::Dark, shadow());
            palette.setColor(group, QPalette::Light, light());
            palette.setColor(group, QPalette::Highlight, selection());
        }
        QApplication::setPalette(palette);
        QFont font = oldFont;
        font.setStyleStrategy(QFont::NoAntialias);
        QApplication::setFont(font);
    }
    ~TestLook() {
        QApplication::setPalette(oldPalette);
        QApplication::setFont(oldFont);
    }
    static QColor face() { return {200, 200, 200}; }
    static QColor text() { return {10, 20, 30}; }
    static QColor shadow() { return {90, 90, 160}; }
    static QColor light() { return {255, 255, 170}; }
    static QColor selection() { return {200, 60, 20}; }

  private:
    QPalette oldPalette;
    QFont oldFont;
};

// The widget as it paints itself now.
inline QImage grabImage(QWidget& widget) {
    QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

// Pixels as 0xffRRGGBB, comparable with QColor::rgb().
inline QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y);
}

// The bounding box of the pixels in `area` that have exactly `colour`.
inline QRect boundsOf(const QImage& image, const QColor& colour, QRect area = {}) {
    area = area.isNull() ? image.rect() : area & image.rect();
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int countOf(const QImage& image, const QColor& colour, QRect area = {}) {
    area = area.isNull() ? image.rect() : area & image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour.rgb();
    return count;
}

} // namespace quelmarine::test
