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

// The full scene (25 fish, 3 x 110 bubbles, 20 food creatures) at two screen sizes.
void BM_FrameFullScene(benchmark::State& state) {
    auto scene =
        bench::makeScene(bench::settingsWith(5, 0), int(state.range(0)), int(state.range(1)));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    scene->overlayVisible = false; // the steady frame: the help text has gone
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameFullScene)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

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
