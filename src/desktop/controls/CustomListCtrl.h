#pragma once
// A report list with grid lines that paints its rows in blue text on tan, and the row of
// `currentPlaylistIndex` on green. Selected rows keep the usual selection colours.

#include <QColor>

#include "desktop/controls/ReportList.h"

namespace quelmarine {

class CustomListCtrl : public ReportList {
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
