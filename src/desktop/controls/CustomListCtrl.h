#pragma once
// A report list (rows of columns) that paints its rows in blue text on tan, and the row of
// `currentPlaylistIndex` on green. Selected rows keep the usual selection colours.

#include <QColor>
#include <QTreeWidget>

namespace quelmarine {

class CustomListCtrl : public QTreeWidget {
    Q_OBJECT
  public:
    explicit CustomListCtrl(QWidget* parent = nullptr);

    static QColor rowTextColour() { return {0, 0, 255}; }
    static QColor rowColour() { return {196, 184, 130}; }
    static QColor currentRowColour() { return {0, 255, 0}; }
    // The background of row `row` as the list paints it when the row is not selected.
    static QColor rowBackground(int row);

    // Repaints the rows after `currentPlaylistIndex` has changed.
    void refreshCurrentRow();
};

} // namespace quelmarine
