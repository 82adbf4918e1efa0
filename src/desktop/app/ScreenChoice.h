#pragma once
// Which screen the program covers when it starts: the one under the mouse pointer.

#include <QList>
#include <QPoint>
#include <QRect>

class QScreen;

namespace quelmarine {

// The index of the screen whose geometry holds `pointer`; else the screen nearest to it (the
// pointer can sit in a gap between screens of different sizes); `primary` when there are no
// screens' geometries to choose from.
int screenIndexForPointer(const QList<QRect>& screenGeometries, QPoint pointer, int primary);

// The screen under the mouse pointer now; the primary screen when that cannot be told.
QScreen* screenUnderPointer();

} // namespace quelmarine
