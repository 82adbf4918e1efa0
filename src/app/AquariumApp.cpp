#include "app/AquariumApp.h"

#include "app/CMainFrame.h"
#include "platform/ErrorReport.h"
#include "platform/ProcessExit.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdlib>

namespace quelmarine {

AquariumApp::AquariumApp() = default;
AquariumApp::~AquariumApp() = default;

bool AquariumApp::InitInstance() {
    firstMarker = std::make_unique<SingleInstanceMarker>("FirstMyProject_Vemo");
    if (!firstMarker->acquired())
        std::_Exit(0);
    appMarker = std::make_unique<SingleInstanceMarker>(QCoreApplication::applicationName());
    if (!appMarker->acquired())
        return false;
    addExitCleanup([this] {
        appMarker->release();
        firstMarker->release();
    });
    installErrorReporter([](const std::string& text, const std::string& caption) {
        QMessageBox::warning(nullptr, QString::fromStdString(caption),
                             QString::fromStdString(text));
    });
    frame = std::make_unique<CMainFrame>();
    frame->showCoveringScreen();
    return true;
}

} // namespace quelmarine
