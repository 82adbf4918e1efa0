#pragma once
// The user's music player: one QMediaPlayer with one QAudioOutput, reused for every track, so
// no player or window is ever left behind. Both are made when the first file is loaded. Nothing
// shows video: an MPEG file plays its sound only. Positions and lengths are milliseconds; the
// volume 0 ... 1000 maps to 0.0 ... 1.0.
//
// open() returns at once. A path that is not a readable regular file is refused without being
// opened; any other file is loaded by the player, and `loaded` is called when the player has
// answered (canPlay() is false until then). An error while a loaded file plays makes it
// unplayable and is reported through `failed`, from the event loop.

#include <QObject>
#include <QString>
#include <memory>

#include "tank/sound/TrackPlayer.h"

class QMediaPlayer;
class QAudioOutput;
class QFile;

namespace quelmarine {

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
    // The player has reached the end of the media.
    bool atEnd() const override;
    void setVolume(std::int32_t volume) override;
    std::int32_t volume() const override { return volumeValue; }

    // True while a file is being loaded.
    bool isLoading() const { return loading; }
    // For tests: the player that plays.
    const QMediaPlayer& mediaPlayer() { return media(); }

  private:
    // The player, made the first time a file is loaded.
    QMediaPlayer& media();
    // Reports the load result (`answer`) through `loaded`, from the event loop.
    void announce();
    void statusChanged();
    void playbackFailed();

    // Destroyed in the reverse order: the player first, then its output, then the open track,
    // which the player reads until it is gone.
    std::unique_ptr<QFile> file; // the open track
    std::unique_ptr<QAudioOutput> output;
    std::unique_ptr<QMediaPlayer> player;
    std::string fileName;
    bool playable = false;
    bool loading = false;
    bool playWhenLoaded = false;
    bool answer = false;
    bool clearing = false;
    std::int32_t volumeValue = 1000;
    // Counts opens, so that an answer about an earlier file is not taken for the current one.
    std::uint64_t openCount = 0;
};

} // namespace quelmarine
