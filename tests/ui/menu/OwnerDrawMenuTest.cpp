// The owner-drawn popup menu: item measure, item paint and the view's eight items.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "desktop/menu/OwnerDrawMenu.h"
#include "desktop/menu/ViewPopupMenu.h"
#include "res/ResourceIds.h"

using namespace quelmarine;

namespace {

QRgb rgb(int r, int g, int b) {
    return qRgb(r, g, b);
}

QImage paintItem(bool highlighted, const MenuItemData& data, QRgb underlay = qRgb(255, 0, 255)) {
    QImage image(140, 48, QImage::Format_RGB32);
    image.fill(underlay);
    QPainter painter(&image);
    OwnerDrawMenu::drawItem(painter, QRect(0, 0, 140, 48), highlighted, data);
    return image;
}

bool isBackground(QRgb pixel, bool highlighted) {
    if (highlighted)
        return pixel == rgb(177, 185, 207) || pixel == rgb(0, 0, 0);
    return pixel == rgb(219, 216, 209) || pixel == rgb(249, 248, 247);
}

// Bounding box of the pixels in the icon area (x < 30) that are not item background.
QRect iconBounds(const QImage& image, bool highlighted) {
    QRect bounds;
    for (int y = 1; y < 47; ++y)
        for (int x = 1; x < 30; ++x)
            if (!isBackground(image.pixel(x, y), highlighted))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect darkTextBounds(const QImage& image) {
    QRect bounds;
    for (int y = 1; y < 47; ++y)
        for (int x = 30; x < 139; ++x)
            if (qGray(image.pixel(x, y)) < 110)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(OwnerDrawMenuPaint, PlainItemHasGreyIconStripAndNearWhiteTextField) {
    const QImage image = paintItem(false, {kResourceExitIcon, kResourceExitIcon, "  Exit"});
    EXPECT_EQ(image.pixel(0, 0), rgb(219, 216, 209));
    EXPECT_EQ(image.pixel(24, 47), rgb(219, 216, 209));
    EXPECT_EQ(image.pixel(25, 0), rgb(249, 248, 247));
    EXPECT_EQ(image.pixel(139, 47), rgb(249, 248, 247));
    // Nothing of the underlay shows through.
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 140; ++x)
            ASSERT_NE(image.pixel(x, y), qRgb(255, 0, 255)) << x << "," << y;
}

TEST(OwnerDrawMenuPaint, HighlightedItemHasBlackFrameAndLavenderFill) {
    const QImage image = paintItem(true, {kResourceExitIcon, kResourceExitIcon, "  Exit"});
    for (int x = 0; x < 140; ++x) {
        EXPECT_EQ(image.pixel(x, 0), rgb(0, 0, 0)) << x;
        EXPECT_EQ(image.pixel(x, 47), rgb(0, 0, 0)) << x;
    }
    for (int y = 0; y < 48; ++y) {
        EXPECT_EQ(image.pixel(0, y), rgb(0, 0, 0)) << y;
        EXPECT_EQ(image.pixel(139, y), rgb(0, 0, 0)) << y;
    }
    EXPECT_EQ(image.pixel(1, 1), rgb(177, 185, 207));
    EXPECT_EQ(image.pixel(1, 46), rgb(177, 185, 207));
    EXPECT_EQ(image.pixel(138, 1), rgb(177, 185, 207));
    EXPECT_EQ(image.pixel(138, 46), rgb(177, 185, 207));
}

TEST(OwnerDrawMenuPaint, IconSitsThreePixelsInAndMovesUpLeftWhenHighlighted) {
    for (const auto& entry : kPopupMenuEntries) {
        const MenuItemData data{entry.icon, entry.icon, ""};
        const QRect plain = iconBounds(paintItem(false, data), false);
        const QRect lit = iconBounds(paintItem(true, data), true);
        ASSERT_FALSE(plain.isEmpty()) << entry.icon;
        EXPECT_GE(plain.left(), 3) << entry.icon;
        EXPECT_GE(plain.top(), 3) << entry.icon;
        EXPECT_LE(plain.right(), 3 + 23) << entry.icon;
        EXPECT_LE(plain.bottom(), 3 + 23) << entry.icon;
        EXPECT_EQ(lit, plain.translated(-1, -1)) << entry.icon;
    }
}

TEST(OwnerDrawMenuPaint, SelectedIconIsUsedOnlyWhenHighlighted) {
    const MenuItemData data{kResourceZoomInIcon, kResourceZoomOutIcon, ""};
    const QImage plain = paintItem(false, data),
                 plainOther = paintItem(false, {kResourceZoomInIcon, kResourceZoomInIcon, ""});
    const QImage lit = paintItem(true, data),
                 litOther = paintItem(true, {kResourceZoomOutIcon, kResourceZoomOutIcon, ""});
    EXPECT_EQ(plain, plainOther);
    EXPECT_EQ(lit, litOther);
}

TEST(OwnerDrawMenuPaint, TextStartsAfterStripAndIndentAndIsVerticallyCentred) {
    const QImage image = paintItem(false, {0, 0, "  Custom Background"});
    const QRect text = darkTextBounds(image);
    ASSERT_FALSE(text.isEmpty());
    // Two leading blanks push the first glyph beyond the 33-pixel start.
    EXPECT_GT(text.left(), 25 + 8);
    EXPECT_NEAR(text.center().y(), 24, 4);
    const QRect noBlanks = darkTextBounds(paintItem(false, {0, 0, "Custom Background"}));
    EXPECT_GE(noBlanks.left(), 33);
    EXPECT_LT(noBlanks.left(), text.left());
}

TEST(OwnerDrawMenuMeasure, EveryItemIs140By48WhateverItsText) {
    EXPECT_EQ(OwnerDrawMenu::measureItem(), QSize(140, 48));
    ViewMenuRecords records;
    OwnerDrawMenu menu;
    fillViewPopupMenu(menu, records);
    menu.appendItem(9999, nullptr);
    MenuItemData longText{kResourceExitIcon, kResourceExitIcon,
                          "  A much longer text than any item of the real menu has"};
    menu.appendItem(9998, &longText);
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 10);
    for (int i = 0; i < actions.size(); ++i)
        EXPECT_EQ(menu.actionGeometry(actions[i]), QRect(0, 48 * i, 140, 48)) << i;
    EXPECT_EQ(menu.size(), QSize(140, 480));
    menu.close();
}

TEST(ViewPopupMenu, HasTheEightItemsInOrder) {
    ViewMenuRecords records;
    OwnerDrawMenu menu;
    fillViewPopupMenu(menu, records);
    const QStringList texts{
        "  Feed Fish",       "  Touch Fish",   "  Zoom In Fish",      "  Zoom Out Fish",
        "  Add/Delete Fish", "  Custom Music", "  Custom Background", "  Exit"};
    const int commands[] = {1036, 1035, 1037, 1038, 1034, 1050, 1052, 1042};
    const int icons[] = {kResourceFeedIcon,       kResourceTouchIcon,     kResourceZoomInIcon,
                         kResourceZoomOutIcon,    kResourceAddDeleteIcon, kResourceMusicIcon,
                         kResourceBackgroundIcon, kResourceExitIcon};
    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(actions[i]->data().toInt(), commands[i]);
        EXPECT_EQ(records[i].text, texts[i]);
        EXPECT_EQ(records[i].normalIcon, icons[i]);
        EXPECT_EQ(records[i].selectedIcon, icons[i]);
    }
}

TEST(ViewPopupMenu, ShownMenuHighlightsOnlyTheActiveItem) {
    ViewMenuRecords records;
    OwnerDrawMenu menu;
    fillViewPopupMenu(menu, records);
    menu.popup(QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(menu.actions()[2]);
    const QImage image = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
    menu.close();
    ASSERT_EQ(image.size(), QSize(140, 384));
    for (int i = 0; i < 8; ++i) {
        const int top = 48 * i;
        if (i == 2) {
            EXPECT_EQ(image.pixel(0, top), rgb(0, 0, 0));
            EXPECT_EQ(image.pixel(100, top + 2), rgb(177, 185, 207));
        } else {
            EXPECT_EQ(image.pixel(1, top + 45), rgb(219, 216, 209)) << i;
            EXPECT_EQ(image.pixel(100, top + 2), rgb(249, 248, 247)) << i;
        }
        // Every text fits its item: the last columns stay clear of glyphs.
        const QImage item = image.copy(0, top, 140, 48);
        const QRect text = darkTextBounds(item);
        EXPECT_FALSE(text.isEmpty()) << i;
        EXPECT_LT(text.right(), 136) << i;
    }
}

namespace {
// Presses keys in whatever popup is open once the event loop runs.
void pressInPopupLater(QList<Qt::Key> keys) {
    QTimer::singleShot(50, [keys] {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        for (Qt::Key key : keys)
            QTest::keyClick(popup, key);
    });
}
} // namespace

TEST(ViewPopupMenu, TrackingReturnsTheChosenCommand) {
    QList<Qt::Key> keys(8, Qt::Key_Down);
    keys.append(Qt::Key_Return);
    pressInPopupLater(keys);
    EXPECT_EQ(trackViewPopupMenu(nullptr, QPoint(30, 30)), 1042);

    pressInPopupLater({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(trackViewPopupMenu(nullptr, QPoint(30, 30)), 1035);
}

TEST(ViewPopupMenu, DismissedMenuReturnsNoCommand) {
    pressInPopupLater({Qt::Key_Escape});
    EXPECT_EQ(trackViewPopupMenu(nullptr, QPoint(30, 30)), 0);
}
