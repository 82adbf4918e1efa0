// What the live food and the mouse passes cost: a 1280 x 1024 frame with the 20 food creatures
// swimming beside the same frame with none, a feeding click's picking, and a fish pick.
#include "BenchSupport.h"
#include "tank/scene/InteractionModes.h"

#include <GL/gl.h>

namespace {

// No fish, so nothing eats the food: all 20 creatures swim in every frame.
void BM_FrameTwentyFoodCreatures(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameTwentyFoodCreatures)->Unit(benchmark::kMillisecond);

// The same frame with every food item eaten and gone.
void BM_FrameNoFoodCreatures(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    for (auto& item : scene->food)
        item.active = false;
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameNoFoodCreatures)->Unit(benchmark::kMillisecond);

// A feeding click's two world picks with the frame's camera. Worst case: the mouse is over no
// strip at all, so all 101 columns and 51 rows are tried (152 selection passes).
void BM_FeedingClickPickNoHit(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    scene->RenderFrame(bench::kWidth, bench::kHeight); // leaves the camera in the model-view
    float sum = 0;
    for (auto _ : state)
        sum += scene->picking.PickWorldX(-400, -400) + scene->picking.PickWorldY(-400, -400);
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_FeedingClickPickNoHit)->Unit(benchmark::kMillisecond);

// The worst click on the screen: the top right corner, far along the columns and above every
// row.
void BM_FeedingClickPickTopRight(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    scene->RenderFrame(bench::kWidth, bench::kHeight);
    float sum = 0;
    for (auto _ : state)
        sum += scene->picking.PickWorldX(bench::kWidth - 1, 0) +
               scene->picking.PickWorldY(bench::kWidth - 1, 0);
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_FeedingClickPickTopRight)->Unit(benchmark::kMillisecond);

// A zoom click with 25 fish that hits none of them: every fish is drawn once in selection
// mode (and so stepped once more).
void BM_FishPickTwentyFiveMiss(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(5, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    scene->RenderFrame(bench::kWidth, bench::kHeight);
    scene->mouse.mode = quelmarine::kModeZoomInFish;
    scene->mouse.mouseX = -400;
    scene->mouse.mouseY = -400;
    int hits = 0;
    for (auto _ : state) {
        scene->mouse.pickPending = true;
        hits += scene->picking.FishPickingPass(scene->mouse, scene->fishPool, 25) >= 0;
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_FishPickTwentyFiveMiss)->Unit(benchmark::kMillisecond);

} // namespace
