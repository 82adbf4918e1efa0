#pragma once
// Makes the textures of the user's pictures for both programs: each picture is read and fitted
// on a worker thread of its own (the frames never wait for a file), one after the other in the
// order asked, and uploaded by uploadNext() on the thread whose OpenGL context shows them. The
// worker reads the next picture only once the last one is uploaded: one decoded picture at most.

#include "tank/assets/PictureDecoder.h"
#include "tank/environment/PictureTextures.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace quelmarine {

class PictureLoader : public PictureTextures {
  public:
    // `makeCurrent` makes the showing context current (false when there is none);
    // `screenLongSide` bounds the pictures.
    PictureLoader(std::function<bool()> makeCurrent, int screenLongSide);
    ~PictureLoader() override;
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    void load(const std::string& path, std::function<void(std::int32_t)> done) override;
    void release(std::int32_t texture) override;

    // On the showing thread: makes the texture of the oldest read picture and hands it on.
    // True when more read pictures wait.
    bool uploadNext();
    // Stops the worker after the picture it is reading; nothing is read after this.
    void stop();

    // Called on the worker thread each time a picture has been read (the host wakes its showing
    // thread for uploadNext).
    std::function<void()> pictureRead;

  private:
    struct Job {
        std::string path;
        std::function<void(std::int32_t)> done;
        DecodedPicture picture;
    };
    void work();

    std::function<bool()> makeContextCurrent;
    const int longSide;
    std::mutex lock;
    std::condition_variable wake;
    std::deque<Job> toRead, read;
    bool stopping = false;
    bool pixelsHeld = false; // a read picture waits for its upload
    std::thread worker;
};

} // namespace quelmarine
