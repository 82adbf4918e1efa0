#include "desktop/controls/ReportList.h"

#include <QHeaderView>
#include <QPainter>
#include <QStringListModel>

#include "desktop/controls/PathElideDelegate.h"
#include "desktop/controls/SystemColours.h"

namespace quelmarine {

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    // The lists hold paths: a long one loses the middle of its folders, never its file name.
    setItemDelegate(new PathElideDelegate(this));
}

QColor ReportList::gridColour() {
    return buttonFaceColour();
}

int ReportList::gridStep() const {
    if (topLevelItemCount() > 0)
        return visualItemRect(topLevelItem(0)).height();
    // As the list measures a row: its delegate's size for one line of text.
    const QStringListModel sample(QStringList{QStringLiteral("Xg")});
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return itemDelegate()->sizeHint(option, sample.index(0)).height();
}

void ReportList::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    const int step = gridStep();
    if (step <= 0)
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(gridColour(), 0));
    const QRect area = viewport()->rect();
    // On the last pixel row of each row, from the first row (scrolled with it) down.
    const int top = topLevelItemCount() > 0 ? visualItemRect(topLevelItem(0)).top() : 0;
    for (int y = top + step - 1; y <= area.bottom(); y += step)
        if (y >= 0)
            painter.drawLine(area.left(), y, area.right(), y);
    // After each column, over the whole height.
    for (int c = 0; c < columnCount(); ++c) {
        if (isColumnHidden(c))
            continue;
        const int x = header()->sectionViewportPosition(c) + header()->sectionSize(c) - 1;
        if (x >= area.left() && x <= area.right())
            painter.drawLine(x, area.top(), x, area.bottom());
    }
}

} // namespace quelmarine
