#include "desktop/menu/ViewPopupMenu.h"

namespace quelmarine {

void fillViewPopupMenu(OwnerDrawMenu& menu, ViewMenuRecords& records) {
    for (std::size_t i = 0; i < kPopupMenuEntries.size(); ++i) {
        const PopupMenuEntry& entry = kPopupMenuEntries[i];
        records[i] = {entry.icon, entry.icon, QString::fromLatin1(entry.text)};
        menu.appendItem(entry.command, &records[i]);
    }
}

int trackViewPopupMenu(QWidget* owner, const QPoint& globalPos) {
    ViewMenuRecords records;
    OwnerDrawMenu menu(owner);
    fillViewPopupMenu(menu, records);
    return menu.track(globalPos);
}

} // namespace quelmarine
