#include "BenchSupport.h"

#include "support/OffscreenGl.h"
#include "support/SceneStart.h"
#include "support/TempDir.h"
#include "tank/platform/ProgramNames.h"
#include "tank/settings/SettingsKeys.h"

#include <GL/gl.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sys/resource.h>

namespace bench {

namespace {
// User and system time of every thread of the process.
double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

testsupport::TempDir& scratch() {
    static testsupport::TempDir dir;
    return dir;
}
} // namespace

bool ensureContext(int width, int height) {
    static std::map<std::pair<int, int>, std::unique_ptr<testsupport::OffscreenGl>> contexts;
    auto& gl = contexts[{width, height}];
    if (!gl)
        gl = std::make_unique<testsupport::OffscreenGl>(width, height);
    return gl->makeCurrent();
}

std::unique_ptr<quelmarine::Scene> makeScene(const std::string& settings, int width, int height) {
    if (!ensureContext(width, height))
        return nullptr;
    const std::string config = scratch().file("config"), runtime = scratch().file("runtime");
    const std::string folder = config + "/" + quelmarine::kApplicationName;
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    testsupport::writeFile(folder + "/" + quelmarine::kSettingsFileName, settings);
    auto scene = std::make_unique<quelmarine::Scene>();
    testsupport::startScene(*scene, width, height);
    return scene;
}

std::string settingsWith(int fishPerSpecies, int bubbleLevel) {
    std::string text =
        "[Aquarium Settings]\nQIPAONUM=" + std::to_string(bubbleLevel) + "\n[Fish Number]\n";
    for (int i = 0; i < 5; ++i)
        text += "Fish" + std::to_string(i) + "=" + std::to_string(fishPerSpecies) + "\n";
    return text;
}

void renderFrames(quelmarine::Scene& scene, benchmark::State& state, GLuint userBackdrop) {
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        scene.RenderFrame(scene.screenWidth, scene.screenHeight, userBackdrop);
        glFinish();
    }
    state.counters["cpu_ms"] =
        benchmark::Counter((processCpuSeconds() - cpuBefore) * 1000.0 / double(state.iterations()));
}

} // namespace bench
