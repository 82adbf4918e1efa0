#include "BenchSupport.h"

#include "support/OffscreenGl.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>

namespace bench {

namespace {
testsupport::TempDir& scratch() {
    static testsupport::TempDir dir;
    return dir;
}
} // namespace

bool ensureContext() {
    static testsupport::OffscreenGl gl(kWidth, kHeight);
    return gl.ok();
}

std::unique_ptr<quelmarine::Scene> makeScene(const std::string& settings) {
    if (!ensureContext())
        return nullptr;
    const std::string config = scratch().file("config"), runtime = scratch().file("runtime");
    std::filesystem::create_directories(config + "/QuelmarineScr");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    testsupport::writeFile(config + "/QuelmarineScr/QuelmarineSet.ini", settings);
    auto scene = std::make_unique<quelmarine::Scene>();
    scene->InitOpenGL(kWidth, kHeight);
    return scene;
}

std::string settingsWith(int fishPerSpecies, int bubbleLevel) {
    std::string text =
        "[Aquarium Settings]\nQIPAONUM=" + std::to_string(bubbleLevel) + "\n[Fish Number]\n";
    for (int i = 0; i < 5; ++i)
        text += "Fish" + std::to_string(i) + "=" + std::to_string(fishPerSpecies) + "\n";
    return text;
}

void renderFrames(quelmarine::Scene& scene, benchmark::State& state) {
    for (auto _ : state)
        scene.RenderFrame(kWidth, kHeight);
}

} // namespace bench
