#pragma once
// The user's music player: the desktop's side of a StreamTrackPlayer, which decodes and plays
// on a thread of its own. Its answers are handed to the event loop here, and answers about a
// file let go since are dropped. Nothing shows video: an MPEG file plays its sound only.
// Positions and lengths are milliseconds; the volume 0 ... 1000 maps to 0.0 ... 1.0.
//
// open() returns at once. A path that is not a readable regular file is refused without being
// opened; any other file is opened by the player, and `loaded` is called when the player has
// answered (canPlay() is false until then). An error while a loaded file plays makes it
// unplayable and is reported through `failed`, from the event loop.

#include <QObject>
#include <cstdint>
#include <memory>

#include "tank/sound/TrackPlayer.h"

namespace quelmarine {

class StreamTrackPlayer;

class MciPlayer : public QObject, public TrackPlayer {
    Q_OBJECT
  public:
    MciPlayer();
    ~MciPlayer() override;

    void open(const std::string& fileName) override;
    bool canPlay() const override { return playable; }
    void play() override;
    void stop() override;
    void close() override;
    void seek(std::int32_t position) override;
    std::int32_t position() const override;
    std::int32_t length() const override;
    // The player has reached the end of the track.
    bool atEnd() const override;
    void setVolume(std::int32_t volume) override;
    std::int32_t volume() const override { return volumeValue; }

    // True while a file is being loaded.
    bool isLoading() const { return loading; }
    // For tests: whether the loaded file has pictures as well; how many files the player has
    // opened; a failure of the playing track, as a file that can no longer be read gives.
    bool hasPictures() const;
    int filesOpened() const { return opened; }
    void failForTesting();

  private:
    // The player, made the first time a file is opened.
    StreamTrackPlayer& engine();
    void answer(std::uint64_t number, bool canBePlayed);
    void playbackFailed(std::uint64_t number);

    std::unique_ptr<StreamTrackPlayer> player;
    bool playable = false;
    bool loading = false;
    bool playWhenLoaded = false;
    std::int32_t volumeValue = 1000;
    // The player's number for the open whose answer is awaited or was taken (0: none).
    std::uint64_t currentOpen = 0;
    // Counts refusals, so that a refusal is not taken for a later open's answer.
    std::uint64_t refusals = 0;
    int opened = 0;
};

} // namespace quelmarine
