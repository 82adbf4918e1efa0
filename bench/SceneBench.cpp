// Frame cost of the scene as it is drawn now at 1280 x 1024.
#include "BenchSupport.h"

#include <GL/gl.h>

namespace {

// Background quad and the swaying backdrop only: no fish, no bubbles.
void BM_FrameBackdropOnly(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 110));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameBackdropOnly)->Unit(benchmark::kMillisecond);

// A fresh start's scene: default bubbles and the settings file's default fish.
void BM_FrameDefaultScene(benchmark::State& state) {
    auto scene = bench::makeScene("");
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameDefaultScene)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The scene's share of the start-up: fixed state, textures, settings, terrain, bubbles, fish.
void BM_SceneInitOpenGL(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    for (auto _ : state) {
        auto scene = bench::makeScene("");
        glFinish();
    }
}
BENCHMARK(BM_SceneInitOpenGL)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
