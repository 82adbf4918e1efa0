#include "desktop/controls/CustomListCtrl.h"

#include "desktop/controls/PathElideDelegate.h"

#include "tank/ProcessState.h"

namespace quelmarine {

namespace {

class RowColourDelegate : public PathElideDelegate {
  public:
    using PathElideDelegate::PathElideDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        PathElideDelegate::initStyleOption(option, index);
        const int row = index.parent().isValid() ? index.parent().row() : index.row();
        option->backgroundBrush = CustomListCtrl::rowBackground(row);
        option->palette.setColor(QPalette::Text, CustomListCtrl::rowTextColour());
    }
};

} // namespace

CustomListCtrl::CustomListCtrl(QWidget* parent) : ReportList(parent) {
    setAllColumnsShowFocus(true);
    setItemDelegate(new RowColourDelegate(this));
}

QColor CustomListCtrl::rowBackground(int row) {
    return row == currentPlaylistIndex ? currentRowColour() : rowColour();
}

void CustomListCtrl::refreshCurrentRow() {
    viewport()->update();
}

} // namespace quelmarine
