#include "desktop/sound/MciPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <algorithm>

#include "tank/platform/UserFiles.h"

namespace quelmarine {

MciPlayer::MciPlayer() = default;

MciPlayer::~MciPlayer() {
    if (player)
        player->stop();
}

QMediaPlayer& MciPlayer::media() {
    if (player)
        return *player;
    // Made on first use: the media framework and its decoders load only when music is played.
    output = std::make_unique<QAudioOutput>();
    output->setVolume(float(std::clamp(volumeValue, 0, 1000)) / 1000.0f);
    player = std::make_unique<QMediaPlayer>();
    connect(player.get(), &QMediaPlayer::mediaStatusChanged, this, [this] { statusChanged(); });
    connect(player.get(), &QMediaPlayer::errorOccurred, this, [this] {
        if (loading)
            announce();
        else if (playable)
            playbackFailed();
    });
    return *player;
}

void MciPlayer::open(const std::string& name) {
    fileName = name;
    ++openCount;
    playable = false;
    playWhenLoaded = false;
    loading = true;
    answer = false;
    // Cleared first: the same file again (Repeat One) must load anew and answer again.
    if (player) {
        clearing = true;
        player->setSource(QUrl());
        clearing = false;
    }
    file.reset();
    if (name.empty() || !isReadableRegularFile(name)) {
        announce(); // refused unopened
        return;
    }
    // The player reads the file through a device of ours: its own file access cannot open
    // names with blanks or letters beyond ASCII. It may load the file inside setSourceDevice or
    // later; either way the answer is announced after open() has returned.
    const QString path = QString::fromStdString(name);
    file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        announce();
        return;
    }
    media().setSourceDevice(file.get(), QUrl::fromLocalFile(path));
}

void MciPlayer::statusChanged() {
    if (clearing)
        return; // news about the file being let go
    switch (player->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
        if (loading) {
            answer = player->hasAudio();
            announce();
        }
        break;
    case QMediaPlayer::InvalidMedia:
        if (loading)
            announce();
        break;
    default:
        break;
    }
}

void MciPlayer::announce() {
    const std::uint64_t thisOpen = openCount;
    QTimer::singleShot(0, this, [this, thisOpen] {
        if (thisOpen != openCount || !loading)
            return;
        loading = false;
        playable = answer;
        if (!playable && player) {
            clearing = true;
            player->setSource(QUrl());
            clearing = false;
        }
        if (loaded)
            loaded();
        if (playable && playWhenLoaded)
            play();
    });
}

void MciPlayer::playbackFailed() {
    playable = false;
    playWhenLoaded = false;
    // Told from the event loop: the listener may open another file, which must not happen
    // inside the player's own signal.
    const std::uint64_t thisOpen = openCount;
    QTimer::singleShot(0, this, [this, thisOpen] {
        if (thisOpen == openCount && failed)
            failed();
    });
}

void MciPlayer::play() {
    if (loading) {
        playWhenLoaded = true;
        return;
    }
    if (!playable)
        return;
    // Without a sound device the player plays silently: its sound output would fail on it.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        player->setAudioOutput(nullptr);
    } else {
        output->setDevice(device);
        player->setAudioOutput(output.get());
    }
    player->play();
}

void MciPlayer::stop() {
    playWhenLoaded = false;
    if (player && player->playbackState() == QMediaPlayer::PlayingState)
        player->pause(); // keeps the position; seek(0) rewinds
}

void MciPlayer::close() {
    playWhenLoaded = false;
    if (player)
        player->stop();
    playable = false;
}

void MciPlayer::seek(std::int32_t position) {
    if (!playable)
        return;
    const bool wasPlaying = player->playbackState() == QMediaPlayer::PlayingState;
    if (wasPlaying)
        player->pause();
    player->setPosition(position);
    if (wasPlaying)
        player->play();
}

std::int32_t MciPlayer::position() const {
    if (!playable)
        return 0;
    // At the end of a track the player may stop short of its duration: the end counts as the
    // whole length, so that the play list sees the track has ended. A duration that was only
    // estimated (an MP3 without an index) may also fall short of where the player is: the
    // position never passes the length.
    if (player->mediaStatus() == QMediaPlayer::EndOfMedia)
        return length();
    return std::int32_t(std::clamp<qint64>(player->position(), 0, length()));
}

std::int32_t MciPlayer::length() const {
    return playable ? std::int32_t(player->duration()) : 0;
}

bool MciPlayer::atEnd() const {
    return playable && player->mediaStatus() == QMediaPlayer::EndOfMedia;
}

void MciPlayer::setVolume(std::int32_t volume) {
    volumeValue = volume;
    if (output)
        output->setVolume(float(std::clamp(volume, 0, 1000)) / 1000.0f);
}

} // namespace quelmarine
