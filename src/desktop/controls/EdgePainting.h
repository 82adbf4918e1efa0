#pragma once
// Small drawing helpers the owner-drawn controls share.

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace quelmarine {

// A one-pixel 3D edge on the outermost pixels of `box`: `topLeft` along the left side and the
// top, `bottomRight` along the bottom and the right side.
void drawEdge(QPainter& painter, const QRect& box, const QColor& topLeft,
              const QColor& bottomRight);

// Text drawn greyed the classic way: once 1 pixel right and down in the button-highlight
// colour, then at its place in the button-shadow colour. `flags` are QPainter text flags.
void drawEmbossedText(QPainter& painter, const QRect& box, int flags, const QString& text);

} // namespace quelmarine
