#pragma once
// The system colours the controls paint with, read from the application palette.

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace quelmarine {

inline QColor buttonFaceColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}
inline QColor buttonTextColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::ButtonText);
}
// The dark side of a 3D edge.
inline QColor buttonShadowColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Dark);
}
// The lit side of a 3D edge.
inline QColor buttonHighlightColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Light);
}
// The colour of selected items.
inline QColor selectionHighlightColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

} // namespace quelmarine
