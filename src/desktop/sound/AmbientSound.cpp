#include "desktop/sound/AmbientSound.h"

#include <QUrl>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "res/ResourceIds.h"
#include "tank/ProcessState.h"
#include "tank/assets/PackedAssets.h"

namespace quelmarine {

namespace {}

AmbientSound::AmbientSound() : player(std::make_unique<QSoundEffect>()) {
    player->setLoopCount(QSoundEffect::Infinite);
}

AmbientSound::~AmbientSound() {
    player.reset();
    if (memoryFile >= 0)
        ::close(memoryFile);
}

bool AmbientSound::keepInMemory(const std::string& wavPath) {
    std::ifstream in(wavPath, std::ios::binary);
    if (!in)
        return false;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    if (bytes.empty())
        return false;
    if (memoryFile < 0)
        memoryFile = ::memfd_create("QuelmarineAmbient", MFD_CLOEXEC);
    if (memoryFile < 0)
        return false;
    if (::ftruncate(memoryFile, 0) != 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(memoryFile, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

void AmbientSound::startAmbientSound() {
    // The asset files live only while they are unpacked; the player reads its own copy in memory,
    // which stays readable after the files are gone.
    bool loaded = false;
    withPackedAsset(kResourceAmbientLoop, kResourceAmbientLoopFile,
                    [&](const std::string& wavPath) { loaded = keepInMemory(wavPath); });
    player->setVolume(ambientGain(AquariumSettings.volume));
    if (!loaded)
        return; // a missing sound is silence
    player->setSource(QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(memoryFile)));
    player->play();
}

void AmbientSound::stopAmbientSound() {
    player->stop();
}

} // namespace quelmarine
