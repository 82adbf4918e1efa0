#pragma once
// A scene started as the desktop program starts it: the settings loaded from the settings file
// (repaired and written back, or only read), the assets unpacked in the private runtime folder.

#include "tank/ProcessState.h"
#include "tank/platform/Folders.h"
#include "tank/scene/Scene.h"
#include "tank/settings/SettingsLoad.h"

namespace testsupport {

enum class SettingsAccess { ReadWrite, ReadOnly };

inline void startScene(quelmarine::Scene& scene, int screenWidth, int screenHeight,
                       SettingsAccess access = SettingsAccess::ReadWrite) {
    if (access == SettingsAccess::ReadOnly)
        quelmarine::loadSettingsReadOnly();
    else
        quelmarine::loadSettingsAtStartup();
    scene.InitOpenGL(quelmarine::AquariumSettings, screenWidth, screenHeight,
                     quelmarine::privateRuntimeFolder());
}

} // namespace testsupport
