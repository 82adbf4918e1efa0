// Quelmarine Fish 3D Screensaver.

#include "app/AquariumApp.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // The FFmpeg media back end starts playback reliably long after loading.
    qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(0); // the 10 ms frame timer sets the pace
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    QApplication::setApplicationName("QuelmarineScr");
    QApplication::setOrganizationName("Local AppWizard-Generated Applications");
    quelmarine::AquariumApp aquarium;
    if (!aquarium.InitInstance())
        return 0;
    return app.exec();
}
