#pragma once
// The sine generators that bend and flap a fish mesh: each keeps a phase that advances by
// `phaseStep` once every few calls and wraps back to 0 after a full turn.

namespace quelmarine {

struct WaveState {
    float phase = 0;       // radians
    int tick = 0;          // calls since the last phase step
    float spatialStep = 0; // radians per array index
    float amplitude = 0;
    float phaseStep = 0; // radians
};

// Counts one call; when the old tick exceeded `threshold`, steps the phase and restarts the
// count. Wraps a phase beyond one turn to 0.
void advanceWave(WaveState& wave, int threshold);

// Sine flap: advances, then out[i] = sin(i * spatialStep + phase) * size * amplitude.
void runFlapGenerator(WaveState& wave, int threshold, float size, float* out, int count);

// Body wave of the main fish: advances every fifth call, then out[i] = 0 for the seven front
// segments and (i - 7) * amplitude * sin(i * spatialStep + phase) * size behind them.
void runBodyWave(WaveState& wave, float size, float* out, int count);

} // namespace quelmarine
