#pragma once
// The program's own pictures of the interface: the menu icons and mode cursors, embedded as
// ":/icons/<id>.png" and ":/cursors/<id>.png", and the dialogs' pictures. Each is embedded at
// its size and at twice its size ("<id>@2x.png"); the one that fits the screen's device pixel
// ratio is used: the picture itself at a ratio of 1 (or less), the larger one above 1, at
// exactly the screen's pixels (scaled down smoothly at ratios between 1 and 2), so nothing is
// ever blown up into blocks. A cursor picture carries its hot spot in its "HotSpot" text entry.

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace quelmarine {

// The picture `path` (of the size it has at a ratio of 1) for a screen of `devicePixelRatio`:
// its device pixel ratio is set, so it paints at its size in the widget's coordinates. A null
// image when there is none.
QImage loadUiPicture(const QString& path, qreal devicePixelRatio);

// The icon with this resource id; a null pixmap when there is none.
QPixmap loadMenuIcon(int id, qreal devicePixelRatio = 1);

// The cursor with this resource id, with its hot spot; the arrow when there is none.
QCursor loadModeCursor(int id, qreal devicePixelRatio = 1);

// The cursor ids of a mode, button up and button down; false for a mode without cursors.
bool modeCursorIds(int mode, int& upId, int& downId);

} // namespace quelmarine
