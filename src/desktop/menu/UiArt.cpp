#include "desktop/menu/UiArt.h"

#include <QGuiApplication>
#include <QHash>
#include <QImage>

#include "res/ResourceIds.h"
#include "tank/scene/InteractionModes.h"

namespace quelmarine {

namespace {

// "name@2x.ext" for "name.ext".
QString doubleSizeName(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? path + QStringLiteral("@2x")
                   : path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

// The hot spot "x,y" of a cursor picture; (-1, -1), the centre, when it has none inside.
QPoint hotSpotOf(const QImage& image) {
    const QStringList hot = image.text("HotSpot").split(',');
    if (hot.size() != 2)
        return {-1, -1};
    const QPoint spot(hot[0].toInt(), hot[1].toInt());
    return image.rect().contains(spot) ? spot : QPoint(-1, -1);
}

} // namespace

QImage loadUiPicture(const QString& path, qreal devicePixelRatio) {
    const QImage picture(path);
    if (picture.isNull() || devicePixelRatio <= 1)
        return picture;
    QImage large(doubleSizeName(path));
    if (large.isNull())
        return picture; // no larger one: the picture at its size
    const QSize wanted = (QSizeF(picture.size()) * devicePixelRatio).toSize();
    if (large.size() != wanted)
        large = large.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    large.setDevicePixelRatio(devicePixelRatio);
    return large;
}

QPixmap loadMenuIcon(int id, qreal devicePixelRatio) {
    // A process-wide cache: the menus and the check boxes share the icons (user-interface thread).
    static QHash<QPair<int, qreal>, QPixmap> cache;
    const QPair<int, qreal> key(id, devicePixelRatio);
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.insert(key, QPixmap::fromImage(loadUiPicture(
                                      QString(":/icons/%1.png").arg(id), devicePixelRatio)));
    return *found;
}

QCursor loadModeCursor(int id, qreal devicePixelRatio) {
    // A process-wide cache: each cursor is made once for all windows (user-interface thread).
    static QHash<QPair<int, qreal>, QCursor> cache;
    const QPair<int, qreal> key(id, devicePixelRatio);
    auto found = cache.find(key);
    if (found != cache.end())
        return *found;
    const QString path = QString(":/cursors/%1.png").arg(id);
    QCursor cursor(Qt::ArrowCursor);
    const QImage picture(path);
    if (!picture.isNull()) {
        const QImage fitting = loadUiPicture(path, devicePixelRatio);
        QPoint hot = hotSpotOf(picture); // in the picture's own size: the cursor's coordinates
        // Qt's X platform hands a cursor's hot spot to the server as it is, in the pixels of
        // the larger picture; the other platforms take it in the cursor's coordinates.
        if (hot.x() >= 0 && QGuiApplication::platformName() == QLatin1String("xcb"))
            hot = (QPointF(hot) * fitting.devicePixelRatio()).toPoint();
        cursor = QCursor(QPixmap::fromImage(fitting), hot.x(), hot.y());
    }
    cache.insert(key, cursor);
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
