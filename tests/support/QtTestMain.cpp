// Test entry for Qt widget tests: one QApplication for the whole run, then GoogleTest.
#include <QApplication>
#include <QSurfaceFormat>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // As the program does: the FFmpeg media back end for the music player.
    qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
