#pragma once
// A scene started as the desktop program starts it: the settings loaded from the settings file
// (repaired and written back, or only read), the assets unpacked in the private runtime folder.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tank/ProcessState.h"
#include "tank/platform/Folders.h"
#include "tank/scene/Scene.h"
#include "tank/settings/SettingsLoad.h"

namespace testsupport {

// The full tank: 25 fish (five of each species), all 110 bubbles of each stream.
inline constexpr const char* kFullTankSettings =
    "[Aquarium Settings]\nQIPAONUM=0\n[Fish Number]\nFish0=5\nFish1=5\nFish2=5\nFish3=5\n"
    "Fish4=5\n";

// Writes `text` as the settings file under $XDG_CONFIG_HOME.
inline void writeSettingsFile(const std::string& text) {
    const std::string folder = std::string(std::getenv("XDG_CONFIG_HOME")) + "/QuelmarineScr";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/QuelmarineSet.ini") << text;
}

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
