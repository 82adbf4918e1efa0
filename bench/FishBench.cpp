// What the fish cost: stepping and emitting one fish on the CPU, one fish drawn through
// OpenGL, and a 1280 x 1024 frame with 25 fish beside the same frame without fish.
#include "BenchSupport.h"
#include "tank/fish/Fish.h"

#include <GL/gl.h>

namespace {

// Swallows the vertex stream: what remains is the animation, the part matrices, the
// displacements and the transform of all 424 vertices.
struct NullSink {
    float checksum = 0;
    void BeginStrip() {}
    void EndStrip() {}
    void Vertex(quelmarine::PartModel& model, float x, float y, float z, float, float, float, float,
                float) {
        float p[3];
        model.TransformPosition(x, y, z, p);
        checksum += p[0] + p[1] + p[2];
    }
};

quelmarine::Fish swimmingFish() {
    quelmarine::Fish fish;
    fish.x = 0;
    fish.y = 0;
    fish.z = -70;
    fish.SetBounds(-50, 50, 11, -15, -80, -60);
    return fish;
}

// One fish step without OpenGL: pose, the mesh into a null sink, wander, move, boxes.
void BM_FishStepAndEmitCpu(benchmark::State& state) {
    quelmarine::Fish fish = swimmingFish();
    NullSink sink;
    quelmarine::FishPose pose;
    for (auto _ : state) {
        fish.ComputePose(pose);
        fish.EasePitch();
        fish.Wander();
        fish.DrawMeshTo(sink, pose);
        fish.Move();
        fish.UpdateBoxes();
    }
    benchmark::DoNotOptimize(sink.checksum);
}
BENCHMARK(BM_FishStepAndEmitCpu)->Unit(benchmark::kMicrosecond);

// Fish::Draw into the offscreen context, finished every 25 fish (as in one frame).
void BM_FishDrawGl(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    quelmarine::Fish fish = swimmingFish();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.625, 0.625, -0.5, 0.5, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    int drawn = 0;
    for (auto _ : state) {
        glPushMatrix();
        glTranslatef(0, 0, -60);
        fish.Draw();
        glPopMatrix();
        if (++drawn % 25 == 0)
            glFinish();
    }
    glFinish();
}
BENCHMARK(BM_FishDrawGl)->Unit(benchmark::kMicrosecond);

// The whole frame with five fish of each species; compare with BM_FrameNoFish.
void BM_FrameTwentyFiveFish(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(5, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameTwentyFiveFish)->Unit(benchmark::kMillisecond);

// The same frame (default bubbles, backdrop, food) without fish.
void BM_FrameNoFish(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameNoFish)->Unit(benchmark::kMillisecond);

} // namespace
