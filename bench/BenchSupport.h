#pragma once
// Shared by the benchmarks: one offscreen context at 1280 x 1024, and scenes initialised as the
// program does at start-up, from a settings file written for the case.

#include "tank/scene/Scene.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace bench {

constexpr int kWidth = 1280, kHeight = 1024;

// Makes the offscreen context current (once per run); false when there is no X server.
bool ensureContext();

// Writes `settings` (INI text) as the settings file, then initialises a scene for a
// 1280 x 1024 screen. Null when there is no context.
std::unique_ptr<quelmarine::Scene> makeScene(const std::string& settings);

// Settings text with these fish counts and this bubble level.
std::string settingsWith(int fishPerSpecies, int bubbleLevel);

// Times one frame per iteration (RenderFrame ends with glFinish).
void renderFrames(quelmarine::Scene& scene, benchmark::State& state);

} // namespace bench
