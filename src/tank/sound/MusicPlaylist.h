#pragma once
// The user's own music: the play list, its three play modes, Play and Stop, the volume, and the
// 200 ms tick that moves on at the end of a track and tells the ambient loop whether own music
// is on. No user interface here: the Custom Music dialog shows this state and forwards its
// controls' events to it.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tank/settings/ListSection.h"
#include "tank/sound/TrackPlayer.h"

namespace quelmarine {

class MusicPlaylist {
  public:
    explicit MusicPlaylist(TrackPlayer& player);
    MusicPlaylist(const MusicPlaylist&) = delete;
    MusicPlaylist& operator=(const MusicPlaylist&) = delete;

    // Set up as the dialog starts: the player opens no file and gets `profileVolume`; then the
    // section "Custom Settings" is loaded (which may start playing).
    void initialise(std::int32_t profileVolume);

    // The dialog's controls.
    // "Add Music": false (and nothing added) when the path cannot be stored in the settings or
    // the list is full.
    bool addTrack(const std::string& path);
    void removeSelected(); // "Remove"
    void removeAll();      // "Remove All"
    void play();           // "Play"
    void stop();           // "Stop"
    void setOn(bool on);   // "On/Off" clicked, with its new state
    void setMode(PlayMode mode);
    // A click on a row (`row` becomes the selection; -1 clears it).
    void clickRow(std::int32_t row);
    void select(std::int32_t row) { selected = row; }
    void moveVolume(std::int32_t value);
    // The hidden position slider was moved.
    void movePosition(std::int32_t position);
    // Every 200 ms, shown or hidden. At the end of a track that has played, the next one is
    // chosen and played; a track that came to its end without playing any time, or that failed
    // while playing, cannot be played: see skipUnplayable.
    void timerTick();

    void chooseTrack(bool fromClick);
    void startPlaying();
    void stopPlaying();

    // "Custom Settings": loaded at start; saved after every change of the list, the switch or
    // the mode, and when the dialog is hidden.
    void loadSection();
    void saveSection() const;

    const std::vector<std::string>& rows() const { return tracks; }
    std::int32_t selection() const { return selected; }
    bool isOn() const { return on; }
    bool isPlaying() const { return playing; }
    PlayMode playMode() const { return mode; }
    std::int32_t currentTrack() const { return current; }
    std::int32_t volume() const { return volumeValue; }
    std::int32_t lastPosition() const { return lastPositionValue; }
    // The hidden position slider: range 0 ... positionRange, at positionSlider.
    std::int32_t positionRange = 0;
    std::int32_t positionSlider = 0;

    // Called after anything the dialog shows has changed.
    std::function<void()> changed;
    // Shows a message owned by the dialog.
    std::function<void(const std::string&)> showMessage;

  private:
    void trackLoaded();
    void trackFailed();
    // The current track cannot be played. It is reported once and passed over until playing
    // stops; playing stops when every row has proved so, or in Repeat One.
    void skipUnplayable();
    bool isUnplayable(std::int32_t row) const;
    void notify() const;

    TrackPlayer& player;
    std::vector<std::string> tracks;
    std::int32_t selected = -1;
    bool on = false;
    bool playing = false;
    PlayMode mode = kRepeatOne;
    std::int32_t current = -1;
    std::int32_t volumeValue = 1000;
    std::int32_t lastPositionValue = 0;
    // Whether a tick has seen the current track at a position beyond 0 since it was opened.
    bool trackPlayed = false;
    // The paths that have proved unplayable since playing started.
    std::set<std::string> unplayable;
};

// The message of "Remove" with no row selected.
inline constexpr const char* kSelectMusicMessage = "Please select an item from the music list!";
// Tracks beyond this many in a hand-edited settings file are not read, and "Add Music" adds no
// more than this many.
inline constexpr std::size_t kMaxSavedTracks = 4096;
inline constexpr const char* kMusicListFullMessage = "The maximum number of music is: ";
// What the user is told of a track that cannot be stored or played: "(path)" and then this.
inline constexpr const char* kMusicLoadingErrorMessage = "music loading error.";
std::string musicLoadingError(const std::string& path);

} // namespace quelmarine
