#include "saver/TankPerScreen.h"

#include "tank/ProcessState.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/Folders.h"

#include <algorithm>

namespace quelmarine::saver {

std::vector<ScreenSurface> TankPerScreen::follow(SaverScreens& screens) {
    const std::vector<ScreenSurface> surfaces = screens.surfaces();
    for (auto tank = tanks.begin(); tank != tanks.end();) {
        const bool there = std::any_of(surfaces.begin(), surfaces.end(),
                                       [&](const auto& each) { return each.id == tank->first; });
        if (there) {
            ++tank;
            continue;
        }
        spares.push_back(std::move(tank->second.scene));
        tank = tanks.erase(tank);
    }
    std::vector<ScreenSurface> drawn;
    for (const ScreenSurface& surface : surfaces) {
        auto found = tanks.find(surface.id);
        if (found == tanks.end()) {
            if (!screens.makeCurrent(surface.id))
                continue;
            Tank tank;
            if (!spares.empty()) {
                tank.scene = std::move(spares.back());
                spares.pop_back();
                tank.scene->Resize(surface.width, surface.height);
            } else {
                // Each scene unpacks the built-in pictures in the process's own folder, gone
                // again as soon as they are loaded.
                const std::string assetFolder = processAssetFolder();
                if (assetFolder.empty())
                    reportError(kNoRuntimeFolderMessage, kNoRuntimeFolderCaption);
                tank.scene = std::make_unique<Scene>();
                tank.scene->overlayVisible = false; // it names keys and a menu the saver has not
                tank.scene->InitOpenGL(AquariumSettings, surface.width, surface.height,
                                       assetFolder);
                removeProcessAssetFolder();
            }
            tank.width = surface.width;
            tank.height = surface.height;
            found = tanks.emplace(surface.id, std::move(tank)).first;
        } else if (found->second.width != surface.width || found->second.height != surface.height) {
            found->second.scene->Resize(surface.width, surface.height);
            found->second.width = surface.width;
            found->second.height = surface.height;
        }
        drawn.push_back(surface);
    }
    return drawn;
}

} // namespace quelmarine::saver
