#include "desktop/controls/PathElide.h"

#include <QFontMetrics>

namespace quelmarine {

QString elidePath(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const QString ellipsis(QChar(0x2026));
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = slash >= 0 ? path.mid(slash) : path; // with its slash
    const QString folders = slash >= 0 ? path.left(slash) : QString();
    if (metrics.horizontalAdvance(ellipsis + name) > width)
        return metrics.elidedText(name.mid(slash >= 0 ? 1 : 0), Qt::ElideMiddle, width);
    // The longest beginning of the folders that still leaves room for the name.
    qsizetype low = 0, high = folders.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(folders.left(mid) + ellipsis + name) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return folders.left(low) + ellipsis + name;
}

} // namespace quelmarine
