#include "tank/sound/AmbientLoop.h"

#include <algorithm>

namespace quelmarine {

namespace {
constexpr std::int32_t kLoudest = 65535;
}

void ambientSoundTick(AmbientOutput& output) {
    if (musicPlaying) {
        ambientRestart = 1;
        output.stopAmbientSound();
    } else if (ambientRestart != 0) {
        output.startAmbientSound();
        ambientRestart = 0;
    }
}

std::uint16_t waveOutputLevel(std::int32_t volume) {
    return std::uint16_t(kLoudest - std::clamp(volume, 0, kLoudest));
}

float ambientGain(std::int32_t volume) {
    return float(waveOutputLevel(volume)) / float(kLoudest);
}

} // namespace quelmarine
