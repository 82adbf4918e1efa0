#pragma once
// The built-in ambient sound: the packed "Music" loop played endlessly at the volume of the
// settings, through the sound server directly. No media framework is loaded for it, so a start
// that plays only the ambient loop stays light. The view calls Tick() after every frame.

#include <memory>
#include <string>

#include "tank/sound/AmbientLoop.h"
#include "tank/sound/LoopPlayer.h"

namespace quelmarine {

class AmbientSound : public AmbientOutput {
  public:
    // The loop is unpacked in `assetFolder` when it is first needed.
    explicit AmbientSound(const std::string& assetFolder);
    ~AmbientSound() override;
    AmbientSound(const AmbientSound&) = delete;
    AmbientSound& operator=(const AmbientSound&) = delete;

    // The per-tick decision (start once when own music is off, stop while it is on).
    void Tick() { ambientSoundTick(*this); }

    void startAmbientSound() override;
    void stopAmbientSound() override;

    // For tests: whether the loop is playing now.
    bool playing() const { return player && player->playing(); }

  private:
    // The loop's samples, read from the packed asset the first time they are needed.
    std::shared_ptr<const WavSound> loadLoop();

    const std::string assetFolder;
    std::shared_ptr<const WavSound> loop;
    bool loopMissing = false;
    std::unique_ptr<LoopPlayer> player;
};

} // namespace quelmarine
