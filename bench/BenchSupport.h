#pragma once
// Shared by the benchmarks: offscreen contexts (1280 x 1024 unless a case asks for another
// size), and scenes initialised as the program does at start-up, from a settings file written
// for the case.

#include "tank/scene/Scene.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace bench {

constexpr int kWidth = 1280, kHeight = 1024;

// Makes an offscreen context of this size current (made once per size and run); false when
// there is no X server.
bool ensureContext(int width = kWidth, int height = kHeight);

// Writes `settings` (INI text) as the settings file, then initialises a scene for a screen of
// this size, in the current context of that size. Null when there is no context.
std::unique_ptr<quelmarine::Scene> makeScene(const std::string& settings, int width = kWidth,
                                             int height = kHeight);

// Settings text with these fish counts and this bubble level.
std::string settingsWith(int fishPerSpecies, int bubbleLevel);

// Times one frame per iteration, finished (glFinish), at the scene's screen size. Reports the
// CPU time of the whole process (all threads, the renderer's too) per frame as "cpu_ms".
void renderFrames(quelmarine::Scene& scene, benchmark::State& state, GLuint userBackdrop = 0);

} // namespace bench
