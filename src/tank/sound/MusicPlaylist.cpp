#include "tank/sound/MusicPlaylist.h"

#include <cstdlib>

#include "tank/ProcessState.h"
#include "tank/settings/SettingsFile.h"

namespace quelmarine {

std::string musicLoadingError(const std::string& path) {
    return "(" + path + ")" + kMusicLoadingErrorMessage;
}

MusicPlaylist::MusicPlaylist(TrackPlayer& trackPlayer) : player(trackPlayer) {
    player.loaded = [this] { trackLoaded(); };
    player.failed = [this] { trackFailed(); };
}

void MusicPlaylist::notify() const {
    if (changed)
        changed();
}

void MusicPlaylist::initialise(std::int32_t profileVolume) {
    volumeValue = profileVolume;
    player.open(std::string());
    player.setVolume(volumeValue);
    loadSection();
}

bool MusicPlaylist::addTrack(const std::string& path) {
    if (!fitsOneIniLine(path)) {
        if (showMessage)
            showMessage(musicLoadingError(path));
        return false;
    }
    if (tracks.size() >= kMaxSavedTracks) {
        // A longer list would be cut short on the next start: refuse the track now.
        if (showMessage)
            showMessage(kMusicListFullMessage + std::to_string(kMaxSavedTracks));
        return false;
    }
    tracks.push_back(path);
    saveSection();
    notify();
    return true;
}

void MusicPlaylist::removeSelected() {
    if (selected < 0 || selected >= std::int32_t(tracks.size())) {
        if (showMessage)
            showMessage(kSelectMusicMessage);
        return;
    }
    tracks.erase(tracks.begin() + selected);
    selected = -1;
    saveSection();
    chooseTrack(false);
    notify();
}

void MusicPlaylist::removeAll() {
    tracks.clear();
    selected = -1;
    saveSection();
    notify();
}

void MusicPlaylist::play() {
    chooseTrack(false);
    startPlaying();
}

void MusicPlaylist::stop() {
    stopPlaying();
}

void MusicPlaylist::setOn(bool nowOn) {
    on = nowOn;
    saveSection();
    if (on)
        play();
    else if (playing)
        stopPlaying();
    notify();
}

void MusicPlaylist::setMode(PlayMode newMode) {
    mode = newMode;
    saveSection();
    notify();
}

void MusicPlaylist::clickRow(std::int32_t row) {
    selected = row >= 0 && row < std::int32_t(tracks.size()) ? row : -1;
    if (selected < 0)
        return;
    chooseTrack(true);
    if (playing)
        startPlaying();
    notify();
}

void MusicPlaylist::moveVolume(std::int32_t value) {
    player.setVolume(value);
    volumeValue = player.volume();
}

void MusicPlaylist::movePosition(std::int32_t position) {
    player.seek(position);
    lastPositionValue = player.position();
    if (playing)
        player.play();
}

void MusicPlaylist::chooseTrack(bool fromClick) {
    const std::int32_t count = std::int32_t(tracks.size());
    if (count == 0)
        return;
    std::int32_t t;
    if (!playing)
        t = selected >= 0 ? selected : mode == kRandom ? std::rand() % count : 0;
    else if (fromClick)
        t = selected;
    else if (mode == kRepeatOne)
        t = current;
    else if (mode == kRepeatAll)
        t = current + 1 < count ? current + 1 : 0;
    else
        t = std::rand() % count;
    if (t < 0 || t >= count) // a row that has gone away since
        t = 0;
    // Moving on by itself, the list passes over rows that have proved unplayable (Repeat One
    // has stopped before coming here with one).
    if (playing && !fromClick && mode != kRepeatOne) {
        for (std::int32_t i = 0; i < count; ++i) {
            if (!isUnplayable((t + i) % count)) {
                t = (t + i) % count;
                break;
            }
        }
    }
    current = t;
    trackPlayed = false;
    player.stop();
    player.close();
    player.open(tracks[std::size_t(t)]);
}

// The rest of chooseTrack, once the player knows whether it can play the file.
void MusicPlaylist::trackLoaded() {
    if (!player.canPlay())
        stopPlaying();
    player.seek(0);
    player.setVolume(volumeValue);
    positionRange = player.length();
    positionSlider = 0;
    notify();
}

void MusicPlaylist::trackFailed() {
    if (playing) {
        skipUnplayable();
    } else if (current >= 0 && current < std::int32_t(tracks.size()) && showMessage) {
        showMessage(musicLoadingError(tracks[std::size_t(current)]));
    }
}

bool MusicPlaylist::isUnplayable(std::int32_t row) const {
    return unplayable.count(tracks[std::size_t(row)]) != 0;
}

void MusicPlaylist::skipUnplayable() {
    const std::int32_t count = std::int32_t(tracks.size());
    if (current >= 0 && current < count) {
        const std::string& path = tracks[std::size_t(current)];
        if (unplayable.insert(path).second && showMessage)
            showMessage(musicLoadingError(path));
    }
    bool anyLeft = false;
    for (std::int32_t row = 0; row < count && !anyLeft; ++row)
        anyLeft = !isUnplayable(row);
    if (mode == kRepeatOne || !anyLeft) {
        stopPlaying();
        return;
    }
    chooseTrack(false);
    startPlaying();
}

void MusicPlaylist::startPlaying() {
    if (tracks.empty())
        return;
    playing = true;
    player.play();
    currentPlaylistIndex = current;
    notify();
}

void MusicPlaylist::stopPlaying() {
    playing = false;
    player.stop();
    player.seek(0);
    current = -1;
    currentPlaylistIndex = -1;
    selected = -1;
    unplayable.clear(); // the next Play tries every row again
    notify();
}

void MusicPlaylist::timerTick() {
    musicPlaying = on;
    if (!playing)
        return;
    lastPositionValue = player.position();
    positionSlider = lastPositionValue;
    if (!player.canPlay())
        return; // still loading
    // A length of 0 equals the position before the track has started as well as after: the
    // player says when such a track has ended. One that ended at position 0 never played.
    if (lastPositionValue > 0)
        trackPlayed = true;
    if (!player.atEnd())
        return;
    if (!trackPlayed) {
        skipUnplayable();
        return;
    }
    chooseTrack(false);
    startPlaying();
}

void MusicPlaylist::loadSection() {
    tracks.clear();
    selected = -1;
    const ListSection saved = readListSection(kCustomSettingsKeys, kMaxSavedTracks);
    mode = saved.mode;
    on = saved.on;
    tracks = saved.paths;
    notify();
    if (!tracks.empty() && on)
        play();
}

void MusicPlaylist::saveSection() const {
    const ListSection list{mode, on, tracks};
    updateSettingsFile(
        [&](IniDocument& document) { writeListSection(document, kCustomSettingsKeys, list); });
}

} // namespace quelmarine
