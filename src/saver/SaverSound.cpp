#include "saver/SaverSound.h"

#include "res/ResourceIds.h"
#include "tank/ProcessState.h"
#include "tank/assets/PackedAssets.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/ProgramNames.h"
#include "tank/sound/AmbientLoop.h"

namespace quelmarine::saver {

SaverSound::SaverSound(const std::string& assetFolder) {
    auto loaded = std::make_shared<WavSound>();
    bool ok = false;
    withPackedAsset(assetFolder, kResourceAmbientLoop, kResourceAmbientLoopFile,
                    [&](const std::string& path) { ok = readWavFile(path, *loaded); });
    if (!ok)
        return; // a missing sound is silence
    player = std::make_unique<LoopPlayer>(
        loaded, ambientGain(AquariumSettings.volume),
        [](const std::string& why) { reportError(why, kProgramName); });
}

SaverSound::~SaverSound() = default;

} // namespace quelmarine::saver
