#include "desktop/dialogs/DialogPlacement.h"

#include <algorithm>

namespace quelmarine {

namespace {

// `box` moved the least that brings it inside `area` (its top-left kept where it is too big).
QRect keptInside(QRect box, const QRect& area) {
    box.moveLeft(std::max(area.left(), std::min(box.left(), area.right() + 1 - box.width())));
    box.moveTop(std::max(area.top(), std::min(box.top(), area.bottom() + 1 - box.height())));
    return box;
}

} // namespace

DialogPlaces placeBeside(QRect opening, QRect open, QRect area, int gap, int titleHeight) {
    opening = keptInside(opening, area);
    if (!opening.intersects(open))
        return {opening, open};
    // Level with the open dialog's top, as far as the screen allows.
    QRect right = opening, left = opening;
    right.moveLeft(open.right() + 1 + gap);
    left.moveRight(open.left() - 1 - gap);
    for (QRect* side : {&right, &left}) {
        side->moveTop(open.top());
        *side = QRect(side->left(), keptInside(*side, area).top(), side->width(), side->height());
    }
    const bool rightFits = right.right() <= area.right();
    const bool leftFits = left.left() >= area.left();
    // The side with more room first: the new one stays nearer the middle of the screen.
    const bool rightFirst = (area.right() - open.right()) >= (open.left() - area.left());
    if (rightFits && (rightFirst || !leftFits))
        return {right, open};
    if (leftFits)
        return {left, open};
    // Side by side, the pair centred on the screen.
    const int pairWidth = open.width() + gap + opening.width();
    if (pairWidth <= area.width()) {
        const int pairLeft = area.left() + (area.width() - pairWidth) / 2;
        QRect moved = open;
        QRect placed = right;
        if (rightFirst) {
            moved.moveLeft(pairLeft);
            placed.moveLeft(pairLeft + open.width() + gap);
        } else {
            placed.moveLeft(pairLeft);
            moved.moveLeft(pairLeft + opening.width() + gap);
        }
        return {placed, moved};
    }
    QRect below = opening;
    below.moveTopLeft(open.topLeft() + QPoint(titleHeight, titleHeight));
    return {keptInside(below, area), open};
}

} // namespace quelmarine
