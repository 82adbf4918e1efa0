#pragma once
// The user's own background pictures in the saver: the desktop program's list and rule, read
// from the settings file (never written: the saver makes no change a save would store), with
// the pictures read on a worker thread (the first frame never waits for them), uploaded on the
// drawing thread one a frame, and cycled as the desktop program cycles them.

#include "tank/environment/BackgroundPictures.h"
#include "tank/environment/PictureLoader.h"

#include <GL/gl.h>
#include <memory>

namespace quelmarine::saver {

class SaverBackgrounds {
  public:
    using Clock = BackgroundPictures::Clock;

    // Reads "Custom Images" from `settings`. When "Use your own image" is off nothing is read
    // (nothing in the saver can switch it on); otherwise the pictures are read for textures of
    // at most `screenLongSide`.
    SaverBackgrounds(const IniDocument& settings, int screenLongSide);
    SaverBackgrounds(const SaverBackgrounds&) = delete;
    SaverBackgrounds& operator=(const SaverBackgrounds&) = delete;

    // Once per frame on the drawing thread: uploads a picture that has been read and runs the
    // ticks that are due. The texture the backdrop shows; 0 for the built-in picture.
    GLuint Update(Clock::time_point now);

  private:
    std::unique_ptr<PictureLoader> loader;
    std::unique_ptr<BackgroundPictures> pictures;
};

} // namespace quelmarine::saver
