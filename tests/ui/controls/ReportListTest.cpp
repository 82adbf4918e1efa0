// ReportList: the grid lines under the rows and after the columns, on down the empty part of
// the list at the rows' height.
#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

#include "PixelProbe.h"
#include "desktop/controls/ReportList.h"

namespace quelmarine {
namespace {

using test::at;

TEST(ReportListPaint, GridLinesUnderRowsAfterColumnsAndDownTheEmptyPart) {
    test::TestLook look;
    ASSERT_EQ(ReportList::gridColour(), test::TestLook::face()) << "the 3D face colour";
    ReportList empty;
    ReportList list;
    for (ReportList* l : {&empty, &list}) {
        l->setHeaderLabels({"Path", "State"});
        l->header()->setStretchLastSection(false);
        l->setColumnWidth(0, 120);
        l->setColumnWidth(1, 50);
        QPalette colours = l->palette();
        colours.setColor(QPalette::Base, QColor(207, 184, 130));
        l->setPalette(colours);
        l->resize(260, 220);
        l->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(l));
    }
    for (const char* name : {"one", "two", "three"})
        new QTreeWidgetItem(&list, QStringList{name, "OFF"});
    const int step = list.visualItemRect(list.topLevelItem(0)).height();
    ASSERT_GT(step, 8);
    EXPECT_EQ(list.gridStep(), step);
    EXPECT_EQ(empty.gridStep(), step) << "an empty list measures its rows as a filled one";

    const QRgb grid = ReportList::gridColour().rgb();
    for (ReportList* l : {&list, &empty}) {
        const QImage image = l->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const char* which = l == &list ? "filled" : "empty";
        // Under every row, down to the bottom of the list: a full-width line at the row's last
        // pixel, nothing just above it.
        int lines = 0;
        for (int y = step - 1; y < image.height(); y += step, ++lines) {
            for (int x : {5, 60, 140, image.width() - 3})
                EXPECT_EQ(at(image, x, y), grid) << which << " y " << y << " x " << x;
            EXPECT_NE(at(image, 60, y - 2), grid) << which << " y " << y;
        }
        EXPECT_GE(lines, 10) << which;
        // After each column, over the whole height.
        for (int x : {119, 169})
            for (int y : {step / 2, 3 * step + step / 2, image.height() - 3})
                EXPECT_EQ(at(image, x, y), grid) << which << " x " << x << " y " << y;
        EXPECT_NE(at(image, 117, step / 2), grid) << which;
        EXPECT_NE(at(image, 200, step / 2), grid) << which << ": no column ends there";
    }
}

} // namespace
} // namespace quelmarine
