#pragma once
// Which top-level windows belong to the frame.

#include <QWidget>

namespace quelmarine {

// True when `window` is `owner` or belongs to it, through any number of windows in between
// (QWidget::isAncestorOf stops at the first window).
inline bool ownedBy(const QWidget* window, const QWidget* owner) {
    for (; window; window = window->parentWidget())
        if (window == owner)
            return true;
    return false;
}

} // namespace quelmarine
