#pragma once
// The user's own background pictures in the saver: read from the settings file, decoded one
// after the other on a worker thread (the first frame never waits for them), uploaded on the
// drawing thread as they arrive, and cycled every 200 ms as the desktop program cycles them.

#include "tank/assets/PictureTexture.h"
#include "tank/environment/BackgroundCycle.h"

#include <GL/gl.h>
#include <chrono>
#include <memory>
#include <thread>

namespace quelmarine::saver {

class SaverBackgrounds {
  public:
    using Clock = std::chrono::steady_clock;

    // Reads "Custom Images" and sets `customImageActive` from its switch; when the switch is on
    // and the list holds pictures, starts decoding them for textures of at most `largestSide`.
    SaverBackgrounds(const CustomImageSettings& settings, int largestSide);
    ~SaverBackgrounds();
    SaverBackgrounds(const SaverBackgrounds&) = delete;
    SaverBackgrounds& operator=(const SaverBackgrounds&) = delete;

    // Once per frame on the drawing thread: uploads what has been decoded and runs the ticks
    // that are due. The texture the backdrop shows; 0 for the built-in picture.
    GLuint Update(Clock::time_point now);

  private:
    struct Decoded;
    struct Shared;
    void uploadArrived();

    CustomImageSettings settings;
    std::shared_ptr<Shared> shared;
    std::thread worker;
    BackgroundCycle cycle;
    Clock::time_point nextTick{};
    bool ticking = false;
};

} // namespace quelmarine::saver
