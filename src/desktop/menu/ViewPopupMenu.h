#pragma once
// The view's right-click menu: the eight items in order, tracked at a screen point.

#include <QPoint>
#include <array>

#include "desktop/menu/OwnerDrawMenu.h"
#include "desktop/menu/PopupMenuItems.h"

class QWidget;

namespace quelmarine {

using ViewMenuRecords = std::array<MenuItemData, kPopupMenuEntries.size()>;

// Fills `records` from the item table and appends the eight items to `menu`.
void fillViewPopupMenu(OwnerDrawMenu& menu, ViewMenuRecords& records);

// Builds the menu, tracks it at `globalPos` with `owner` as parent and destroys it: the chosen
// command id, or 0.
int trackViewPopupMenu(QWidget* owner, const QPoint& globalPos);

} // namespace quelmarine
