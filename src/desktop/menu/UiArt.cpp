#include "desktop/menu/UiArt.h"

#include <QHash>
#include <QImage>

#include "res/ResourceIds.h"
#include "tank/scene/InteractionModes.h"

namespace quelmarine {

QPixmap loadMenuIcon(int id) {
    // A process-wide cache: the menus and the check boxes share the icons (user-interface thread).
    static QHash<int, QPixmap> cache;
    auto found = cache.find(id);
    if (found == cache.end())
        found = cache.insert(id, QPixmap(QString(":/icons/%1.png").arg(id)));
    return *found;
}

QCursor loadModeCursor(int id) {
    // A process-wide cache: each cursor is made once for all windows (user-interface thread).
    static QHash<int, QCursor> cache;
    auto found = cache.find(id);
    if (found != cache.end())
        return *found;
    const QImage image(QString(":/cursors/%1.png").arg(id));
    QCursor cursor(Qt::ArrowCursor);
    if (!image.isNull()) {
        const QStringList hot = image.text("HotSpot").split(',');
        int x = -1, y = -1;
        if (hot.size() == 2) {
            x = hot[0].toInt();
            y = hot[1].toInt();
        }
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
            x = y = -1; // the centre
        cursor = QCursor(QPixmap::fromImage(image), x, y);
    }
    cache.insert(id, cursor);
    return cursor;
}

bool modeCursorIds(int mode, int& upId, int& downId) {
    switch (mode) {
    case kModeTouchFish:
        upId = kResourceTouchCursor, downId = kResourceTouchCursorDown;
        return true;
    case kModeFeedFish:
        upId = kResourceFeedCursor, downId = kResourceFeedCursorDown;
        return true;
    case kModeZoomInFish:
        upId = kResourceZoomInCursor, downId = kResourceZoomInCursorDown;
        return true;
    case kModeZoomOutFish:
        upId = kResourceZoomOutCursor, downId = kResourceZoomOutCursorDown;
        return true;
    default:
        return false;
    }
}

} // namespace quelmarine
