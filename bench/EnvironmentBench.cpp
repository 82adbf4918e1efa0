// What the bubbles and the help overlay cost: a frame with the full 3 x 110 bubbles beside the
// same frame without them, the bubble pass alone, the overlay's lines, and the glyph lists that
// the start-up builds.
#include "BenchSupport.h"
#include "tank/environment/BubbleEmitter.h"
#include "tank/platform/Folders.h"
#include "tank/scene/OutlineFont.h"
#include "tank/scene/TextOverlay.h"

#include <GL/gl.h>

namespace {

// No fish; bubble level 0 asks for all 110 bubbles of each emitter.
void BM_FrameFullBubbles(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 0));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    scene->overlayVisible = false;
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameFullBubbles)->Unit(benchmark::kMillisecond);

// The same frame with bubble level 110: no bubbles (the baseline for the one above).
void BM_FrameNoBubbles(benchmark::State& state) {
    auto scene = bench::makeScene(bench::settingsWith(0, 110));
    if (!scene)
        return state.SkipWithError("no OpenGL context");
    scene->overlayVisible = false;
    bench::renderFrames(*scene, state);
}
BENCHMARK(BM_FrameNoBubbles)->Unit(benchmark::kMillisecond);

// The three emitters drawn and stepped with 110 bubbles each, as the frame's bubble pass does.
void BM_BubblePass330(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    quelmarine::BubbleEmitter emitters[3];
    for (auto& e : emitters) {
        e.Init(quelmarine::kBubblePool, quelmarine::privateRuntimeFolder());
        e.setColored(false);
    }
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    for (auto _ : state) {
        for (auto& e : emitters) {
            e.Step(quelmarine::kBubblePool);
            e.Draw();
        }
        glFinish();
    }
    glDisable(GL_BLEND);
}
BENCHMARK(BM_BubblePass330)->Unit(benchmark::kMicrosecond);

// The start-up's share of the bubbles: three pools born, three sprite textures unpacked and
// loaded, and 110 warm-up steps each at the default bubble level (10 bubbles an emitter).
void BM_PlaceBubbleEmitters(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    bench::makeScene(""); // the asset folder and a context with the scene's state
    for (auto _ : state) {
        quelmarine::BubbleEmitter emitters[3];
        for (auto& e : emitters) {
            e.Init(quelmarine::kBubblePool, quelmarine::privateRuntimeFolder());
            e.setColored(false);
            for (int step = 0; step < 110; ++step)
                e.Step(quelmarine::bubbleDrawCount(100));
        }
        glFinish();
        state.PauseTiming();
        for (auto& e : emitters) {
            const GLuint texture = e.spriteTexture();
            glDeleteTextures(1, &texture);
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlaceBubbleEmitters)->Iterations(10)->Unit(benchmark::kMillisecond);

// The four overlay lines of extruded glyphs, as drawn on the first 100 frames.
void BM_OverlayLines(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    quelmarine::OutlineFont font;
    font.Build();
    for (auto _ : state) {
        quelmarine::DrawOverlay(font);
        glFinish();
    }
}
BENCHMARK(BM_OverlayLines)->Unit(benchmark::kMillisecond);

// What the outline font adds to the start-up: loading the face and reserving the lists, then
// compiling the glyphs of the overlay's lines on the first frame that shows them.
void BM_BuildOutlineFont(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    quelmarine::OutlineFont font;
    for (auto _ : state) {
        font.Build();
        quelmarine::DrawOverlay(font);
        glFinish();
        state.PauseTiming();
        font.Release();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildOutlineFont)->Iterations(10)->Unit(benchmark::kMillisecond);

// For comparison: compiling all 255 glyph lists at once.
void BM_CompileAllGlyphs(benchmark::State& state) {
    if (!bench::ensureContext())
        return state.SkipWithError("no OpenGL context");
    quelmarine::OutlineFont font;
    for (auto _ : state) {
        font.Build();
        for (int c = 0; c < quelmarine::kGlyphCharacters; ++c)
            font.ensureGlyphList(c);
        glFinish();
        state.PauseTiming();
        font.Release();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CompileAllGlyphs)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
