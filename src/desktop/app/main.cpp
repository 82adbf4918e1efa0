// Quelmarine Fish 3D Screensaver.

#include "desktop/app/AquariumApp.h"
#include "desktop/app/DisplayCheck.h"
#include "tank/platform/HeapArenas.h"
#include "tank/platform/TerminationSignals.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    quelmarine::setUpHeap();
    quelmarine::installTerminationHandler();
    quelmarine::DisplayProbe display;
    if (!display.reachable()) {
        std::fprintf(stderr, "%s\n", display.failureMessage().c_str());
        return 1;
    }
    quelmarine::AquariumApp::prepareBeforeApplication();
    QApplication app(argc, argv);
    display.release();
    quelmarine::AquariumApp::nameApplication();
    quelmarine::AquariumApp aquarium;
    if (!aquarium.InitInstance())
        return 0;
    return app.exec();
}
