#include "desktop/controls/DialogUnits.h"

#include <QFontMetrics>
#include <cmath>

namespace quelmarine {

int dialogUnitsToPixelsX(int units) {
    return int(std::lround(units * 1.5));
}

int dialogUnitsToPixelsY(int units) {
    return int(std::lround(units * 1.625));
}

QRect dialogUnitsToPixels(int x, int y, int width, int height) {
    const int left = dialogUnitsToPixelsX(x), top = dialogUnitsToPixelsY(y);
    return QRect(QPoint(left, top),
                 QPoint(dialogUnitsToPixelsX(x + width) - 1, dialogUnitsToPixelsY(y + height) - 1));
}

QFont fittedDialogFont(const std::vector<CaptionBox>& captions) {
    QFont font("Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    auto fits = [&] {
        const QFontMetrics metrics(font);
        for (const CaptionBox& c : captions) {
            const QSize size = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, c.caption);
            if (size.width() > c.box.width() || metrics.height() > c.box.height())
                return false;
        }
        return true;
    };
    for (double points = 8.0; points >= 6.0; points -= 0.5) {
        font.setPointSizeF(points);
        if (fits())
            break;
    }
    return font;
}

} // namespace quelmarine
