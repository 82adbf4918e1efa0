// The embedded menu icons and mode cursors.
#include <QImage>
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
