#include "desktop/sound/MciPlayer.h"

#include <QMetaObject>
#include <QTimer>

#include <algorithm>

#include "music/StreamTrackPlayer.h"
#include "tank/platform/ProgramNames.h"
#include "tank/platform/UserFiles.h"

namespace quelmarine {

MciPlayer::MciPlayer() = default;

// The player's thread ends before this object does: nothing it says can arrive afterwards.
MciPlayer::~MciPlayer() {
    player.reset();
}

StreamTrackPlayer& MciPlayer::engine() {
    if (player)
        return *player;
    StreamTrackPlayer::Events events;
    // Said on the player's thread, handled in the event loop.
    events.loaded = [this](std::uint64_t number, bool canBePlayed) {
        QMetaObject::invokeMethod(
            this, [this, number, canBePlayed] { answer(number, canBePlayed); },
            Qt::QueuedConnection);
    };
    events.failed = [this](std::uint64_t number) {
        QMetaObject::invokeMethod(
            this, [this, number] { playbackFailed(number); }, Qt::QueuedConnection);
    };
    player = std::make_unique<StreamTrackPlayer>(std::move(events), kProgramTitle);
    player->setGain(float(std::clamp(volumeValue, 0, 1000)) / 1000.0f);
    return *player;
}

void MciPlayer::open(const std::string& name) {
    playable = false;
    playWhenLoaded = false;
    loading = true;
    if (name.empty() || !isReadableRegularFile(name)) {
        // Refused unopened, and answered from the event loop as an opened file is.
        if (player)
            player->close();
        currentOpen = 0;
        const std::uint64_t thisRefusal = ++refusals;
        QTimer::singleShot(0, this, [this, thisRefusal] {
            if (thisRefusal == refusals && currentOpen == 0)
                answer(0, false);
        });
        return;
    }
    ++opened;
    currentOpen = engine().open(name);
}

void MciPlayer::answer(std::uint64_t number, bool canBePlayed) {
    if (number != currentOpen || !loading)
        return; // about a file let go since
    loading = false;
    playable = canBePlayed;
    if (loaded)
        loaded();
    if (playable && playWhenLoaded)
        play();
}

void MciPlayer::playbackFailed(std::uint64_t number) {
    if (number != currentOpen || !playable)
        return;
    playable = false;
    playWhenLoaded = false;
    if (failed)
        failed();
}

void MciPlayer::play() {
    if (loading) {
        playWhenLoaded = true;
        return;
    }
    if (playable)
        player->play();
}

void MciPlayer::stop() {
    playWhenLoaded = false;
    if (player)
        player->pause(); // keeps the position; seek(0) rewinds
}

void MciPlayer::close() {
    playWhenLoaded = false;
    loading = false;
    playable = false;
    currentOpen = 0;
    if (player)
        player->close();
}

void MciPlayer::seek(std::int32_t position) {
    if (playable)
        player->seek(position);
}

std::int32_t MciPlayer::position() const {
    if (!playable)
        return 0;
    // At the end of a track the position is the whole length, so that the play list sees the
    // track has ended; a length that was only estimated (an MP3 without an index) is never
    // passed.
    const std::int32_t whole = length();
    if (player->ended())
        return whole;
    return whole > 0 ? std::min(player->positionMs(), whole) : player->positionMs();
}

std::int32_t MciPlayer::length() const {
    return playable ? player->lengthMs() : 0;
}

bool MciPlayer::atEnd() const {
    return playable && player->ended();
}

void MciPlayer::setVolume(std::int32_t volume) {
    volumeValue = volume;
    if (player)
        player->setGain(float(std::clamp(volume, 0, 1000)) / 1000.0f);
}

bool MciPlayer::hasPictures() const {
    return playable && player->hasPictures();
}

void MciPlayer::failForTesting() {
    if (player)
        player->failForTesting();
}

} // namespace quelmarine
