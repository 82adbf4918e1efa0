// The embedded menu icons and mode cursors.
#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

#include "desktop/menu/PopupMenuItems.h"
#include "desktop/menu/UiArt.h"
#include "res/ResourceIds.h"
#include "tank/scene/InteractionModes.h"

using namespace quelmarine;

TEST(UiArt, EveryMenuIconIsEmbeddedAt24By24) {
    for (const auto& entry : kPopupMenuEntries) {
        const QPixmap icon = loadMenuIcon(entry.icon);
        ASSERT_FALSE(icon.isNull()) << entry.icon;
        EXPECT_EQ(icon.size(), QSize(24, 24)) << entry.icon;
    }
    EXPECT_TRUE(loadMenuIcon(1).isNull());
}

TEST(UiArt, EveryModeHasItsCursorPairWithAHotSpotInside) {
    const int modes[] = {kModeTouchFish, kModeFeedFish, kModeZoomInFish, kModeZoomOutFish};
    const int expected[][2] = {{kResourceTouchCursor, kResourceTouchCursorDown},
                               {kResourceFeedCursor, kResourceFeedCursorDown},
                               {kResourceZoomInCursor, kResourceZoomInCursorDown},
                               {kResourceZoomOutCursor, kResourceZoomOutCursorDown}};
    for (int m = 0; m < 4; ++m) {
        int up = 0, down = 0;
        ASSERT_TRUE(modeCursorIds(modes[m], up, down));
        EXPECT_EQ(up, expected[m][0]);
        EXPECT_EQ(down, expected[m][1]);
        for (int id : {up, down}) {
            const QImage image(QString(":/cursors/%1.png").arg(id));
            ASSERT_FALSE(image.isNull()) << id;
            const QStringList hot = image.text("HotSpot").split(',');
            ASSERT_EQ(hot.size(), 2) << id;
            const QPoint spot(hot[0].toInt(), hot[1].toInt());
            EXPECT_TRUE(image.rect().contains(spot)) << id;
            const QCursor cursor = loadModeCursor(id);
            EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << id;
            EXPECT_EQ(cursor.hotSpot(), spot) << id;
        }
    }
    int up = 0, down = 0;
    EXPECT_FALSE(modeCursorIds(kCommandCustomMusic, up, down));
    EXPECT_FALSE(modeCursorIds(kCommandExit, up, down));
}

// The share of 2 x 2 blocks, among those not wholly transparent, whose four pixels differ: 0
// for a picture blown up from one half its size, well above for one drawn at its size.
double detailedBlockShare(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int blocks = 0, detailed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y), c = image.pixel(x, y + 1),
                       d = image.pixel(x + 1, y + 1);
            if (qAlpha(a) == 0 && qAlpha(b) == 0 && qAlpha(c) == 0 && qAlpha(d) == 0)
                continue;
            ++blocks;
            detailed += (a != b || a != c || a != d);
        }
    }
    return blocks ? double(detailed) / blocks : 0;
}

// The mean difference (0 ... 255) of two pictures of one size, colour and coverage together.
double meanDifference(const QImage& first, const QImage& second) {
    const QImage a = first.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = second.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * a.width() * a.height());
}

TEST(UiArt, OnHiDpiScreensEveryPictureIsTheOneDrawnLargerAtTheScreensPixels) {
    QStringList paths;
    for (const auto& entry : kPopupMenuEntries)
        paths << QString(":/icons/%1.png").arg(entry.icon);
    for (int id : {kResourceCheckedIcon, kResourceUncheckedIcon})
        paths << QString(":/icons/%1.png").arg(id);
    for (int id : {kResourceTouchCursor, kResourceTouchCursorDown, kResourceFeedCursor,
                   kResourceFeedCursorDown, kResourceZoomInCursor, kResourceZoomInCursorDown,
                   kResourceZoomOutCursor, kResourceZoomOutCursorDown})
        paths << QString(":/cursors/%1.png").arg(id);
    paths << QString(":/bitmaps/%1.bmp").arg(kResourceFishPicture);
    for (const QString& path : paths) {
        const std::string name = path.toStdString();
        const QImage normal = loadUiPicture(path, 1);
        ASSERT_FALSE(normal.isNull()) << name;
        EXPECT_EQ(normal.devicePixelRatio(), 1.0) << name;
        EXPECT_EQ(loadUiPicture(path, 0.75).size(), normal.size()) << name << ": never smaller";

        const QImage large = loadUiPicture(path, 2);
        EXPECT_EQ(large.size(), normal.size() * 2) << name;
        EXPECT_EQ(large.devicePixelRatio(), 2.0) << name;
        EXPECT_EQ(large.deviceIndependentSize(), QSizeF(normal.size())) << name;
        EXPECT_GT(detailedBlockShare(large), 0.2) << name << ": drawn at twice the size";
        // The same picture: brought down to the normal size it matches the normal one.
        EXPECT_LT(meanDifference(
                      large.scaled(normal.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                      normal),
                  12)
            << name;

        const QImage between = loadUiPicture(path, 1.5);
        EXPECT_EQ(between.size(), (QSizeF(normal.size()) * 1.5).toSize()) << name;
        EXPECT_EQ(between.devicePixelRatio(), 1.5) << name;
    }
    EXPECT_TRUE(loadUiPicture(":/icons/1.png", 2).isNull());
}

TEST(UiArt, HiDpiIconsAndCursorsKeepTheirSizeAndHotSpot) {
    const QPixmap icon = loadMenuIcon(kResourceFeedIcon, 2);
    EXPECT_EQ(icon.size(), QSize(48, 48));
    EXPECT_EQ(icon.deviceIndependentSize(), QSizeF(24, 24));
    const QImage picture(QString(":/cursors/%1.png").arg(kResourceZoomInCursor));
    const QStringList hot = picture.text("HotSpot").split(',');
    ASSERT_EQ(hot.size(), 2);
    const QPoint spot(hot[0].toInt(), hot[1].toInt());
    for (qreal ratio : {1.5, 2.0}) {
        const QCursor cursor = loadModeCursor(kResourceZoomInCursor, ratio);
        EXPECT_EQ(cursor.pixmap().size(), (QSizeF(32, 32) * ratio).toSize()) << ratio;
        // Qt's X platform passes the hot spot on in the pixels of the picture.
        EXPECT_EQ(cursor.hotSpot(), (QPointF(spot) * ratio).toPoint()) << ratio;
    }
}
