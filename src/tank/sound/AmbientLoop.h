#pragma once
// The built-in ambient loop versus the user's own music: the decision made after every frame,
// and the loudness the settings ask for. The sound itself is played by the user-interface layer.

#include <cstdint>

#include "tank/ProcessState.h"

namespace quelmarine {

// What plays the ambient loop.
class AmbientOutput {
  public:
    virtual ~AmbientOutput() = default;
    // Starts the built-in loop from its beginning, at the volume of the settings.
    virtual void startAmbientSound() = 0;
    // Stops whatever the ambient player plays (nothing happens when it is silent).
    virtual void stopAmbientSound() = 0;
};

// Once per frame tick, after the frame: while own music is on, stop the loop (on every tick)
// and remember to restart it; once it is off, start the loop once.
void ambientSoundTick(AmbientOutput& output);

// The wave-output level for the setting `volume` (0 loudest … 65535 silent): 65535 − volume,
// with the setting held within that range.
std::uint16_t waveOutputLevel(std::int32_t volume);
// The same level as a linear gain 0 … 1 (the wave output scales amplitude linearly), for both
// channels.
float ambientGain(std::int32_t volume);

} // namespace quelmarine
