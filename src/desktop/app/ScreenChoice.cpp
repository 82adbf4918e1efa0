#include "desktop/app/ScreenChoice.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <limits>

namespace quelmarine {

namespace {

// Squared distance from `point` to the nearest point of `rect` (0 inside).
qint64 distanceSquared(const QRect& rect, QPoint point) {
    const qint64 dx = point.x() < rect.left()    ? rect.left() - point.x()
                      : point.x() > rect.right() ? point.x() - rect.right()
                                                 : 0;
    const qint64 dy = point.y() < rect.top()      ? rect.top() - point.y()
                      : point.y() > rect.bottom() ? point.y() - rect.bottom()
                                                  : 0;
    return dx * dx + dy * dy;
}

} // namespace

int screenIndexForPointer(const QList<QRect>& screenGeometries, QPoint pointer, int primary) {
    int best = primary;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int i = 0; i < screenGeometries.size(); ++i) {
        const qint64 d = distanceSquared(screenGeometries[i], pointer);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

QScreen* screenUnderPointer() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primary = QGuiApplication::primaryScreen();
    if (screens.isEmpty())
        return primary;
    QList<QRect> geometries;
    for (QScreen* s : screens)
        geometries.append(s->geometry());
    const int index =
        screenIndexForPointer(geometries, QCursor::pos(), int(screens.indexOf(primary)));
    return index >= 0 && index < screens.size() ? screens[index] : primary;
}

} // namespace quelmarine
