#include "saver/IdleSaverRun.h"

#include "tank/ProcessState.h"
#include "tank/platform/Folders.h"
#include "tank/platform/ProgramNames.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsLoad.h"

#include "saver/FpsOverlay.h"
#include "saver/SaverBackgrounds.h"
#include "saver/SaverScreens.h"
#include "saver/SaverSound.h"
#include "saver/TankPerScreen.h"
#include "saver/Termination.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace quelmarine::saver {

namespace {

using Clock = std::chrono::steady_clock;

// The longest side of the surfaces there are: the user's pictures are fitted to it.
int longestSide(const std::vector<ScreenSurface>& surfaces) {
    int longest = 0;
    for (const ScreenSurface& surface : surfaces)
        longest = std::max({longest, surface.width, surface.height});
    return longest;
}

} // namespace

int runIdleSaver(const SaverOptions& options) {
    // SIGTERM and SIGINT (swayidle's resume, timeout, Ctrl+C) end it with status 0 at once.
    endOnTerminationSignals([] { removeProcessAssetFolder(); });
    removeStaleProcessFolders();

    std::string error;
    std::unique_ptr<SaverScreens> screens = openSaverScreens(options, error);
    if (!screens) {
        std::fprintf(stderr, "%s: %s\n", kIdleSaverName, error.c_str());
        removeProcessAssetFolder();
        return 1;
    }
    loadSettingsReadOnly(); // the saver never writes the settings

    TankPerScreen tanks;
    std::unique_ptr<SaverSound> sound;
    std::optional<SaverBackgrounds> backgrounds;
    const auto delay = std::chrono::microseconds(options.delayMicroseconds);
    FrameRateCounter frameRate;
    bool firstFrame = true;
    auto nextFrame = Clock::now();
    for (;;) {
        const std::vector<ScreenSurface> surfaces = tanks.follow(*screens);
        if (!surfaces.empty() && !backgrounds) {
            // Silent unless asked: only --sound unpacks and plays the ambient loop.
            if (options.sound) {
                sound = std::make_unique<SaverSound>(processAssetFolder());
                removeProcessAssetFolder();
            }
            GLint largestTexture = 0;
            glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestTexture);
            backgrounds.emplace(readSettingsDocument(),
                                std::min(longestSide(surfaces), int(largestTexture)));
        }
        const auto now = Clock::now();
        const GLuint backdrop = backgrounds ? backgrounds->Update(now) : 0;
        if (!surfaces.empty() && options.showFps)
            frameRate.frameShown(now);
        for (const ScreenSurface& surface : surfaces) {
            if (!screens->makeCurrent(surface.id))
                continue;
            Scene& scene = tanks.scene(surface.id);
            scene.RenderFrame(surface.width, surface.height, backdrop,
                              tanks.stepsDue(surface.id, now));
            if (options.showFps) {
                scene.outlineFont.BuildOnce();
                DrawFrameRate(scene.outlineFont, frameRate.rate(), surface.width, surface.height);
            }
            screens->present(surface.id);
        }
        if (firstFrame && !surfaces.empty()) {
            firstFrame = false;
            screens->shown(Clock::now());
        }
        // A frame that took longer than the delay is followed at once, never by a burst.
        nextFrame = std::max(nextFrame + delay, Clock::now());
        switch (screens->waitUntil(nextFrame)) {
        case SaverScreens::Wait::Deadline:
            continue;
        case SaverScreens::Wait::UserBack:
            sound.reset();
            return 0;
        case SaverScreens::Wait::Gone:
            std::fprintf(stderr, "%s: the display is gone\n", kIdleSaverName);
            removeProcessAssetFolder();
            return 1;
        }
    }
}

} // namespace quelmarine::saver
