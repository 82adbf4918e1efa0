#include "desktop/sound/MciPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <algorithm>

#include "tank/platform/UserFiles.h"

namespace quelmarine {

MciPlayer::MciPlayer()
    : output(std::make_unique<QAudioOutput>()), player(std::make_unique<QMediaPlayer>()) {
    player->setAudioOutput(output.get());
    output->setVolume(1.0f);
    connect(player.get(), &QMediaPlayer::mediaStatusChanged, this, [this] { statusChanged(); });
    connect(player.get(), &QMediaPlayer::errorOccurred, this, [this] {
        if (loading)
            settle(false);
        else
            playable = false;
    });
}

MciPlayer::~MciPlayer() {
    player->stop();
}

void MciPlayer::open(const std::string& name) {
    fileName = name;
    ++openCount;
    playable = false;
    atEnd = false;
    playWhenLoaded = false;
    loading = true;
    if (name.empty() || !isReadableRegularFile(name)) {
        // Refused unopened; the answer still comes after open() has returned, as for any file.
        player->setSource(QUrl());
        const std::uint64_t thisOpen = openCount;
        QTimer::singleShot(0, this, [this, thisOpen] {
            if (thisOpen == openCount && loading)
                settle(false);
        });
        return;
    }
    // Cleared first: the same file again (Repeat One) must load anew and answer again.
    player->setSource(QUrl());
    player->setSource(QUrl::fromLocalFile(QString::fromStdString(name)));
}

void MciPlayer::statusChanged() {
    switch (player->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
        if (loading)
            settle(player->hasAudio());
        break;
    case QMediaPlayer::InvalidMedia:
        if (loading)
            settle(false);
        break;
    case QMediaPlayer::EndOfMedia:
        atEnd = true;
        break;
    default:
        break;
    }
}

void MciPlayer::settle(bool canPlayNow) {
    loading = false;
    playable = canPlayNow;
    if (!playable)
        player->setSource(QUrl());
    if (loaded)
        loaded();
    if (playable && playWhenLoaded)
        play();
}

void MciPlayer::play() {
    if (loading) {
        playWhenLoaded = true;
        return;
    }
    if (!playable)
        return;
    atEnd = false;
    player->play();
}

void MciPlayer::stop() {
    playWhenLoaded = false;
    if (player->playbackState() == QMediaPlayer::PlayingState)
        player->pause(); // keeps the position; seek(0) rewinds
}

void MciPlayer::close() {
    playWhenLoaded = false;
    player->stop();
    playable = false;
}

void MciPlayer::seek(std::int32_t position) {
    atEnd = false;
    if (playable)
        player->setPosition(position);
}

std::int32_t MciPlayer::position() const {
    if (!playable)
        return 0;
    return atEnd ? length() : std::int32_t(player->position());
}

std::int32_t MciPlayer::length() const {
    return playable ? std::int32_t(player->duration()) : 0;
}

void MciPlayer::setVolume(std::int32_t volume) {
    volumeValue = volume;
    output->setVolume(float(std::clamp(volume, 0, 1000)) / 1000.0f);
}

} // namespace quelmarine
