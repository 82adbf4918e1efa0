#pragma once
// What the play list asks of a media player: the program's MciPlayer, a stub in tests.
// Positions and lengths are milliseconds; the volume runs 0 ... 1000, 1000 being normal.

#include <cstdint>
#include <functional>
#include <string>

namespace quelmarine {

class TrackPlayer {
  public:
    virtual ~TrackPlayer() = default;

    // Opens `fileName` in place of the previous file. The answer to "can it be played" may come
    // later: `loaded` is called once per open, with canPlay() settled, possibly from inside open.
    virtual void open(const std::string& fileName) = 0;
    virtual bool canPlay() const = 0;
    // Playing starts as soon as the file is loaded when play() comes before that.
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual void seek(std::int32_t position) = 0;
    // At the end of a track the position equals the length. A length of 0 is a track of no
    // length, or one whose length the player does not know (yet).
    virtual std::int32_t position() const = 0;
    virtual std::int32_t length() const = 0;
    // True once the loaded track has come to its end and plays no further. The position then
    // equals the length. A track of no or unknown length ends only when the player says so:
    // this default, for players that know every length, never says it of such a track.
    virtual bool atEnd() const { return canPlay() && length() > 0 && position() == length(); }
    virtual void setVolume(std::int32_t volume) = 0;
    virtual std::int32_t volume() const = 0;

    std::function<void()> loaded;
    // Called when the loaded track cannot be played on (an error while playing); canPlay() is
    // false from then on. Never called from inside a call to the player.
    std::function<void()> failed;
};

} // namespace quelmarine
