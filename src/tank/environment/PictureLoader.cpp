#include "tank/environment/PictureLoader.h"

#include "tank/assets/PictureTexture.h"

#include <GL/gl.h>

namespace quelmarine {

PictureLoader::PictureLoader(std::function<bool()> makeCurrent, int screenLongSide)
    : makeContextCurrent(std::move(makeCurrent)), longSide(screenLongSide) {}

PictureLoader::~PictureLoader() {
    stop();
}

void PictureLoader::stop() {
    {
        std::lock_guard<std::mutex> hold(lock);
        stopping = true;
        toRead.clear();
    }
    wake.notify_all();
    if (worker.joinable())
        worker.join();
}

void PictureLoader::load(const std::string& path, std::function<void(std::int32_t)> done) {
    {
        std::lock_guard<std::mutex> hold(lock);
        if (stopping)
            return;
        toRead.push_back({path, std::move(done), {}});
        // Made on the first picture: a user without pictures never has the thread.
        if (!worker.joinable())
            worker = std::thread([this] { work(); });
    }
    wake.notify_all();
}

void PictureLoader::work() {
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
        // One picture in memory at a time: the next is read once the last one's pixels are gone,
        // so a long list never holds several screen-sized pictures at once.
        wake.wait(hold, [this] { return stopping || (!toRead.empty() && !pixelsHeld); });
        if (stopping)
            return;
        Job job = std::move(toRead.front());
        toRead.pop_front();
        hold.unlock();
        job.picture = loadUserPicture(job.path, longSide);
        hold.lock();
        if (stopping)
            return;
        read.push_back(std::move(job));
        pixelsHeld = true;
        if (pictureRead) {
            hold.unlock();
            pictureRead();
            hold.lock();
        }
    }
}

bool PictureLoader::uploadNext() {
    Job job;
    {
        std::lock_guard<std::mutex> hold(lock);
        if (read.empty())
            return false;
        job = std::move(read.front());
        read.pop_front();
    }
    const bool current = makeContextCurrent && makeContextCurrent();
    const std::int32_t texture = current ? uploadPictureTexture(job.picture) : 0;
    job.picture = {}; // the pixels go as soon as the texture holds them
    bool more = false;
    {
        std::lock_guard<std::mutex> hold(lock);
        pixelsHeld = !read.empty();
        more = pixelsHeld;
    }
    wake.notify_all();
    job.done(texture);
    return more;
}

void PictureLoader::release(std::int32_t texture) {
    if (texture <= 0 || !makeContextCurrent || !makeContextCurrent())
        return;
    const GLuint name = GLuint(texture);
    glDeleteTextures(1, &name);
}

} // namespace quelmarine
