#include "tank/sound/MusicPlaylist.h"

#include <cstdlib>

#include "tank/ProcessState.h"
#include "tank/settings/SettingsFile.h"

namespace quelmarine {

MusicPlaylist::MusicPlaylist(TrackPlayer& trackPlayer) : player(trackPlayer) {
    player.loaded = [this] { trackLoaded(); };
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
            showMessage("(" + path + ")" + "music loading error.");
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
    current = t;
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
    notify();
}

void MusicPlaylist::timerTick() {
    musicPlaying = on;
    if (!playing)
        return;
    lastPositionValue = player.position();
    positionSlider = lastPositionValue;
    if (player.canPlay() && player.length() == lastPositionValue) {
        chooseTrack(false);
        startPlaying();
    }
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
