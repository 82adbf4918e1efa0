#include "saver/SaverRun.h"

// The tank's headers come before Xlib's, whose macros (None, Bool, ...) would clash with them.
#include "tank/ProcessState.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/Folders.h"
#include "tank/platform/ProgramNames.h"
#include "tank/scene/GlErrorCheck.h"
#include "tank/scene/Scene.h"
#include "tank/scene/StepClock.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsLoad.h"

#include "saver/FpsOverlay.h"
#include "saver/SaverBackgrounds.h"
#include "saver/SaverSound.h"
#include "saver/SaverWindow.h"
#include "saver/Termination.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>

namespace quelmarine::saver {

namespace {

using Clock = std::chrono::steady_clock;

// Waits until `deadline`, handling the window's events as they arrive. False when the saver
// should end.
bool waitForNextFrame(SaverWindow& window, Clock::time_point deadline, bool& resized) {
    for (;;) {
        if (!window.handleEvents(resized))
            return false;
        const auto now = Clock::now();
        if (now >= deadline)
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
        const timespec timeout{time_t(left.count() / 1000000000), long(left.count() % 1000000000)};
        pollfd connection{window.connectionFd(), POLLIN, 0};
        ppoll(&connection, 1, &timeout, nullptr);
    }
}

} // namespace

int runSaver(const SaverOptions& options, const std::function<void()>& firstFrameShown) {
    // Several savers (one per monitor) start together: each unpacks its assets in a folder of
    // its own, removed when it ends however it ends.
    endOnTerminationSignals([] { removeProcessAssetFolder(); });
    removeStaleProcessFolders();

    SaverWindow window;
    std::string error;
    if (!window.open(options, error)) {
        std::fprintf(stderr, "%s: %s\n", kProgramName, error.c_str());
        removeProcessAssetFolder();
        return 1;
    }
    const std::string assetFolder = processAssetFolder();
    if (assetFolder.empty())
        reportError(kNoRuntimeFolderMessage, kNoRuntimeFolderCaption);
    auto scene = std::make_unique<Scene>();
    scene->overlayVisible = false; // the help text names keys and a menu the saver has not
    loadSettingsReadOnly();        // the saver never writes the settings
    scene->InitOpenGL(AquariumSettings, window.width(), window.height(), assetFolder);
    // Silent unless asked: only --sound unpacks and plays the ambient loop.
    std::unique_ptr<SaverSound> sound;
    if (options.sound)
        sound = std::make_unique<SaverSound>(assetFolder);
    removeProcessAssetFolder();
    GLint largestTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestTexture);
    // The user's pictures are fitted to the window's longer side, as the program fits them to
    // its screen's.
    SaverBackgrounds backgrounds(
        readSettingsDocument(),
        std::min(std::max(window.width(), window.height()), int(largestTexture)));

    const auto delay = std::chrono::microseconds(options.delayMicroseconds);
    FrameRateCounter frameRate;
    StepClock stepClock;
    bool firstFrame = true;
    // The checking run (scripts/soak): every error raised since the last frame is reported.
    const bool checkGlErrors = glChecksRequested();
    long framesDrawn = 0;
    auto nextFrame = Clock::now();
    bool resized = false;
    for (;;) {
        if (resized) {
            scene->Resize(window.width(), window.height());
            resized = false;
        }
        const auto now = Clock::now();
        scene->RenderFrame(window.width(), window.height(), backgrounds.Update(now),
                           stepClock.stepsDue(now));
        if (options.showFps) {
            frameRate.frameShown(Clock::now());
            scene->outlineFont.BuildOnce();
            DrawFrameRate(scene->outlineFont, frameRate.rate(), window.width(), window.height());
        }
        window.present();
        if (checkGlErrors)
            reportGlErrors(++framesDrawn, stderr);
        if (firstFrame) {
            firstFrame = false;
            if (firstFrameShown)
                firstFrameShown();
        }
        // A frame that took longer than the delay is followed at once, never by a burst.
        nextFrame = std::max(nextFrame + delay, Clock::now());
        if (!waitForNextFrame(window, nextFrame, resized))
            break;
    }
    sound.reset();
    scene.reset();
    return 0;
}

} // namespace quelmarine::saver
