#include "desktop/controls/EdgePainting.h"

#include <QPainter>

#include "desktop/controls/SystemColours.h"

namespace quelmarine {

void drawEdge(QPainter& painter, const QRect& box, const QColor& topLeft,
              const QColor& bottomRight) {
    if (box.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
    painter.restore();
}

void drawEmbossedText(QPainter& painter, const QRect& box, int flags, const QString& text) {
    painter.save();
    painter.setPen(buttonHighlightColour());
    painter.drawText(box.translated(1, 1), flags, text);
    painter.setPen(buttonShadowColour());
    painter.drawText(box, flags, text);
    painter.restore();
}

} // namespace quelmarine
