// CustomListCtrl: blue text on tan rows, and green for the current play-list row.
#include <QTest>
#include <gtest/gtest.h>

#include "PixelProbe.h"
#include "desktop/controls/CustomListCtrl.h"
#include "tank/ProcessState.h"

namespace quelmarine {
namespace {

using test::at;
using test::countOf;

TEST(CustomListCtrlPaint, RowsAreTanAndTheCurrentRowGreen) {
    test::TestLook look;
    CustomListCtrl list;
    list.setHeaderLabels({"File"});
    for (const char* name : {"one.mp3", "two.mp3", "three.mp3", "four.mp3"})
        new QTreeWidgetItem(&list, QStringList{name});
    list.resize(240, 160);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    for (int current : {2, -1}) {
        currentPlaylistIndex = current;
        list.refreshCurrentRow();
        QImage image = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int row = 0; row < 4; ++row) {
            const QRect box = list.visualItemRect(list.topLevelItem(row));
            const QColor expected =
                row == current ? CustomListCtrl::currentRowColour() : CustomListCtrl::rowColour();
            EXPECT_EQ(at(image, box.right() - 2, box.center().y()), QColor(expected).rgb())
                << "row " << row << ", current " << current;
            EXPECT_GT(countOf(image, CustomListCtrl::rowTextColour(), box), 10)
                << "blue text in row " << row;
        }
    }
    currentPlaylistIndex = -1;
}

} // namespace
} // namespace quelmarine
