#include "saver/SaverBackgrounds.h"

#include "tank/ProcessState.h"
#include "tank/platform/ErrorReport.h"
#include "tank/settings/ProfileInt.h"

#include <atomic>
#include <deque>
#include <mutex>

namespace quelmarine::saver {

struct SaverBackgrounds::Decoded {
    std::string path;
    bool ok = false;
    TextureLevels texture;
};

struct SaverBackgrounds::Shared {
    std::mutex lock;
    std::deque<Decoded> arrived;
    std::atomic<bool> stop{false};
};

SaverBackgrounds::SaverBackgrounds(const CustomImageSettings& loaded, int largestSide)
    : settings(loaded), shared(std::make_shared<Shared>()) {
    customImageActive = settings.ownImage;
    cycle.setMode(settings.mode);
    cycle.setOwnImage(settings.ownImage);
    if (!settings.ownImage || settings.paths.empty())
        return;
    worker = std::thread([shared = shared, paths = settings.paths, largestSide] {
        for (const std::string& path : paths) {
            if (shared->stop)
                return;
            Decoded decoded;
            decoded.path = path;
            DecodedPicture picture;
            decoded.ok = decodePicture(path, picture) == PictureError::None;
            if (decoded.ok)
                decoded.texture = prepareTextureLevels(std::move(picture), largestSide);
            std::lock_guard<std::mutex> hold(shared->lock);
            shared->arrived.push_back(std::move(decoded));
        }
    });
}

SaverBackgrounds::~SaverBackgrounds() {
    shared->stop = true;
    if (worker.joinable())
        worker.join();
}

void SaverBackgrounds::uploadArrived() {
    std::deque<Decoded> arrived;
    {
        std::lock_guard<std::mutex> hold(shared->lock);
        arrived.swap(shared->arrived);
    }
    for (Decoded& decoded : arrived) {
        const GLuint texture = decoded.ok ? uploadTextureLevels(decoded.texture) : 0;
        if (texture == 0) {
            // A picture that cannot be shown is left out; the others still cycle.
            reportError("(" + decoded.path + ")" + "image loading error.", "quelmarine");
            continue;
        }
        cycle.addPicture(std::int32_t(texture));
    }
}

GLuint SaverBackgrounds::Update(Clock::time_point now) {
    if (!settings.ownImage)
        return 0;
    uploadArrived();
    if (!ticking) {
        ticking = true;
        nextTick = now;
    }
    const std::int32_t interval = parseAtoi(settings.intervalText);
    // At most a few ticks at once: a long stall never turns into a burst of switches.
    for (int due = 0; now >= nextTick && due < 3; ++due) {
        cycle.Tick(interval);
        nextTick += std::chrono::milliseconds(BackgroundCycle::kTickMilliseconds);
    }
    if (now >= nextTick)
        nextTick = now + std::chrono::milliseconds(BackgroundCycle::kTickMilliseconds);
    return cycle.currentTexture() > 0 ? GLuint(cycle.currentTexture()) : 0;
}

} // namespace quelmarine::saver
