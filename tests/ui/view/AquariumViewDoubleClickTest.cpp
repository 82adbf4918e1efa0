// A real double click through Qt's window-system layer into the tank's window: Qt marks the
// second press as the start of a double click, and the view must not take it for a new click.
#include <QTest>
#include <gtest/gtest.h>

#include "desktop/view/AquariumView.h"

namespace quelmarine {
namespace {

TEST(AquariumViewDoubleClick, RightDoubleClickOpensTheMenuOnce) {
    AquariumView view;
    view.resize(320, 240);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    int popups = 0;
    view.mouseHandling().trackPopup = [&](QPoint) {
        ++popups;
        return 0;
    };
    QTest::mouseDClick(&view, Qt::RightButton, {}, {100, 100});
    EXPECT_EQ(popups, 1);
    QTest::mouseClick(&view, Qt::RightButton, {}, {100, 100}, 1000);
    EXPECT_EQ(popups, 2) << "a click well after the double click opens the menu again";
}

} // namespace
} // namespace quelmarine
