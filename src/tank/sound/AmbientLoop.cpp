#include "tank/sound/AmbientLoop.h"

#include <algorithm>

namespace quelmarine {

namespace {
constexpr std::int32_t kLoudest = 65535;
}

void ambientSoundTick(AmbientOutput& output) {
    if (musicPlaying) {
        ambientRestart = true;
        output.stopAmbientSound();
    } else if (ambientRestart) {
        output.startAmbientSound();
        ambientRestart = false;
    }
}

std::uint16_t waveOutputLevel(std::int32_t volume) {
    return std::uint16_t(kLoudest - std::clamp(volume, 0, kLoudest));
}

float ambientGain(std::int32_t volume) {
    return float(waveOutputLevel(volume)) / float(kLoudest);
}

} // namespace quelmarine
