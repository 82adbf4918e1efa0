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
        wake.wait(hold, [this] { return stopping || !toRead.empty(); });
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
    job.done(texture);
    std::lock_guard<std::mutex> hold(lock);
    return !read.empty();
}

void PictureLoader::release(std::int32_t texture) {
    if (texture <= 0 || !makeContextCurrent || !makeContextCurrent())
        return;
    const GLuint name = GLuint(texture);
    glDeleteTextures(1, &name);
}

} // namespace quelmarine
