#include "desktop/controls/PathElideDelegate.h"

#include <QApplication>
#include <QStyle>

#include "desktop/controls/PathElide.h"

namespace quelmarine {

void PathElideDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Sizes are measured without a cell (an empty box): the text stays whole there.
    if (option->rect.width() <= 0 || option->text.isEmpty())
        return;
    const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
    // The margin the style keeps on either side of a cell's text.
    const int margin =
        style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
    option->text = elidePath(option->text, option->fontMetrics, option->rect.width() - 2 * margin);
}

} // namespace quelmarine
