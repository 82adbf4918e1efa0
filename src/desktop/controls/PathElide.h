#pragma once
// A file path cut to fit a width: what goes is the middle of its folders, never the file name,
// so "/home/me/Pictures/Holidays/2024/IMG_0001.JPG" becomes "/home/me/Pi…/IMG_0001.JPG". A
// name too wide on its own loses its own middle and keeps its extension.

#include <QString>

class QFontMetrics;

namespace quelmarine {

QString elidePath(const QString& path, const QFontMetrics& metrics, int width);

} // namespace quelmarine
