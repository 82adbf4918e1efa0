#pragma once
// A report list (rows of columns, no tree) drawn with grid lines: a line under every row and
// after every column, in the system's 3D face colour. The lines go on below the last row at the
// row height, down to the bottom of the list, so an empty list shows its grid too.

#include <QColor>
#include <QTreeWidget>

namespace quelmarine {

class ReportList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ReportList(QWidget* parent = nullptr);

    static QColor gridColour();
    // The height of a row, also while the list has none; the grid's step below the rows.
    int gridStep() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quelmarine
