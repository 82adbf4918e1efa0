#include "desktop/app/AquariumApp.h"

#include "desktop/app/CMainFrame.h"
#include "desktop/view/AquariumView.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/ProcessExit.h"
#include "tank/platform/ProgramNames.h"
#include "tank/settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QSurfaceFormat>
#include <cstdlib>

namespace quelmarine {

AquariumApp::AquariumApp() = default;
AquariumApp::~AquariumApp() = default;

void AquariumApp::prepareBeforeApplication() {
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(0); // the 10 ms frame timer sets the pace
    QSurfaceFormat::setDefaultFormat(format);
}

void AquariumApp::nameApplication() {
    QCoreApplication::setApplicationName(kApplicationName);
    QCoreApplication::setOrganizationName(kProfileOrganisation);
}

bool AquariumApp::InitInstance(std::function<void()> onFirstFrame) {
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
    if (onFirstFrame && frame->view())
        QObject::connect(frame->view(), &AquariumView::firstFrameShown, onFirstFrame);
    frame->showCoveringScreen();
    return true;
}

} // namespace quelmarine
