// Long paths in the lists: the folders lose their middle, the file name stays.
#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "desktop/controls/PathElide.h"

namespace quelmarine {
namespace {

const QString kEllipsis(QChar(0x2026));

TEST(PathElide, KeepsTheFileNameAndCutsTheFoldersInTheMiddle) {
    const QFontMetrics metrics(QApplication::font());
    const QString path =
        "/home/someone/Pictures/Holidays at the sea/2024 summer, second week/IMG_0001.JPG";
    EXPECT_EQ(elidePath(path, metrics, metrics.horizontalAdvance(path)), path) << "fits: whole";
    for (int width : {400, 250, metrics.horizontalAdvance(kEllipsis + "/IMG_0001.JPG")}) {
        const QString cut = elidePath(path, metrics, width);
        EXPECT_LE(metrics.horizontalAdvance(cut), width) << cut.toStdString();
        EXPECT_TRUE(cut.endsWith(kEllipsis + "/IMG_0001.JPG")) << cut.toStdString();
        EXPECT_TRUE(path.startsWith(cut.section(kEllipsis, 0, 0))) << "the start stays";
    }
    // As much of the folders as fits: one more character would not.
    const QString cut = elidePath(path, metrics, 300);
    const int kept = int(cut.indexOf(kEllipsis));
    EXPECT_GT(kept, 5);
    EXPECT_GT(metrics.horizontalAdvance(path.left(kept + 1) + kEllipsis + "/IMG_0001.JPG"), 300);
}

TEST(PathElide, ANameTooWideOnItsOwnKeepsItsStartAndExtension) {
    const QFontMetrics metrics(QApplication::font());
    const QString name = "a very long file name that the list cannot show whole.mp3";
    const int width = metrics.horizontalAdvance(name) / 2;
    const QString cut = elidePath("/music/" + name, metrics, width);
    EXPECT_LE(metrics.horizontalAdvance(cut), width);
    EXPECT_TRUE(cut.startsWith("a very")) << cut.toStdString();
    EXPECT_TRUE(cut.endsWith(".mp3")) << cut.toStdString();
    EXPECT_TRUE(cut.contains(kEllipsis));
    // A text without folders is cut the same way.
    EXPECT_TRUE(elidePath(name, metrics, width).endsWith(".mp3"));
}

} // namespace
} // namespace quelmarine
