#pragma once
// The program's own menu icons and mode cursors, embedded as ":/icons/<id>.png" and
// ":/cursors/<id>.png". A cursor picture carries its hot spot in its "HotSpot" text entry.

#include <QCursor>
#include <QPixmap>

namespace quelmarine {

// The icon with this resource id; a null pixmap when there is none.
QPixmap loadMenuIcon(int id);

// The cursor with this resource id, with its hot spot; the arrow when there is none.
QCursor loadModeCursor(int id);

// The cursor ids of a mode, button up and button down; false for a mode without cursors.
bool modeCursorIds(int mode, int& upId, int& downId);

} // namespace quelmarine
