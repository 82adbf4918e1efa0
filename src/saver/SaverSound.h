#pragma once
// The ambient loop in the saver (only with --sound): the built-in sound played endlessly through
// PulseAudio's simple interface on a thread of its own, at the volume of the settings. Without a
// sound server the saver stays silent and says so once on standard error.

#include "tank/sound/LoopPlayer.h"

#include <memory>
#include <string>

namespace quelmarine::saver {

class SaverSound {
  public:
    // Unpacks the loop (call it while the saver's asset folder exists) and starts playing it.
    // The loop is unpacked in `assetFolder`.
    explicit SaverSound(const std::string& assetFolder);
    ~SaverSound();
    SaverSound(const SaverSound&) = delete;
    SaverSound& operator=(const SaverSound&) = delete;

    bool playing() const { return player && player->playing(); }

  private:
    std::unique_ptr<LoopPlayer> player;
};

} // namespace quelmarine::saver
