#pragma once
// Draws a list's cells with texts too wide for them cut as paths are (PathElide): the file name
// stays whole.

#include <QStyledItemDelegate>

namespace quelmarine {

class PathElideDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace quelmarine
