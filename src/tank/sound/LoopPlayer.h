#pragma once
// One sound played endlessly through PulseAudio's simple interface, on a thread of its own, at a
// fixed linear gain. Made to start, destroyed to stop: the stream is dropped at once, so nothing
// that was queued plays on. Without a sound server it stays silent and calls `failed` once, from
// its own thread, with the reason.

#include "tank/sound/WavFile.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace quelmarine {

class LoopPlayer {
  public:
    using FailureReport = std::function<void(const std::string&)>;

    LoopPlayer(std::shared_ptr<const WavSound> sound, float gain, FailureReport failed);
    ~LoopPlayer();
    LoopPlayer(const LoopPlayer&) = delete;
    LoopPlayer& operator=(const LoopPlayer&) = delete;

    bool playing() const { return player.joinable(); }

  private:
    std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
    std::thread player;
};

} // namespace quelmarine
