#include "desktop/sound/AmbientSound.h"

#include <cstdio>

#include "res/ResourceIds.h"
#include "tank/ProcessState.h"
#include "tank/assets/PackedAssets.h"
#include "tank/platform/ProgramNames.h"

namespace quelmarine {

AmbientSound::AmbientSound(const std::string& assetFolder) : assetFolder(assetFolder) {}

AmbientSound::~AmbientSound() = default;

std::shared_ptr<const WavSound> AmbientSound::loadLoop() {
    if (loop || loopMissing)
        return loop;
    // The asset file lives only while it is unpacked; the samples stay in memory.
    auto read = std::make_shared<WavSound>();
    bool ok = false;
    withPackedAsset(assetFolder, kResourceAmbientLoop, kResourceAmbientLoopFile,
                    [&](const std::string& path) { ok = readWavFile(path, *read); });
    if (ok)
        loop = std::move(read);
    else
        loopMissing = true; // a missing sound is silence, and is not looked for again
    return loop;
}

void AmbientSound::startAmbientSound() {
    player.reset(); // from the beginning
    std::shared_ptr<const WavSound> sound = loadLoop();
    if (!sound)
        return;
    // Without a sound server the tank stays silent; one line says why.
    player = std::make_unique<LoopPlayer>(
        sound, ambientGain(AquariumSettings.volume), [](const std::string& why) {
            std::fprintf(stderr, "%s: %s\n", kApplicationName, why.c_str());
        });
}

void AmbientSound::stopAmbientSound() {
    player.reset();
}

} // namespace quelmarine
