#pragma once
// The user's music played on a thread of its own: a TrackDecoder feeding one PulseAudio stream
// that exists only while the track plays (a pause, a seek, a close or the end drops it, and
// what it still held with it, at once). Without a sound server a track plays silently, its
// position moving with the clock.
//
// Every call returns at once; the thread does the work. `loaded` and `failed` are called from
// the player's thread with the number of the open they answer (open() returns it), so that a
// host can hand them to its own thread and drop answers about files it has since let go.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace quelmarine {

class StreamTrackPlayer {
  public:
    struct Events {
        // The file has been opened (`playable`) or refused.
        std::function<void(std::uint64_t open, bool playable)> loaded;
        // The track could not be played on (the file could no longer be read).
        std::function<void(std::uint64_t open)> failed;
    };

    // `client` names the program in the sound server's lists.
    StreamTrackPlayer(Events events, std::string client);
    ~StreamTrackPlayer();
    StreamTrackPlayer(const StreamTrackPlayer&) = delete;
    StreamTrackPlayer& operator=(const StreamTrackPlayer&) = delete;

    std::uint64_t open(const std::string& path);
    void play();
    // Stops where the track is; play() goes on from there.
    void pause();
    void close();
    void seek(std::int32_t ms);
    // 0 ... 1, linear.
    void setGain(float gain);

    std::int32_t positionMs() const { return position.load(); }
    std::int32_t lengthMs() const { return length.load(); }
    // The track has played to its end (and stopped there).
    bool ended() const { return atEnd.load(); }
    bool hasPictures() const { return pictures.load(); }
    // For tests: the track fails as if its file could no longer be read.
    void failForTesting();

  private:
    // Makes `change` to the requests under the lock, counts it as one request and wakes the
    // thread.
    void ask(const std::function<void()>& change);
    void run();

    Events events;
    const std::string clientName;
    mutable std::mutex lock;
    std::condition_variable wake;
    // Requests, under `lock`.
    std::string pendingPath;
    std::uint64_t pendingOpen = 0; // the open to make, 0 for none
    std::uint64_t currentOpen = 0;
    bool wantPlaying = false;
    bool closeRequested = false;
    bool seekRequested = false;
    bool failRequested = false;
    std::int32_t seekTo = 0;
    std::int32_t pausedAt = 0;
    bool quit = false;
    // Counts every request: a track that ends while one comes has not ended for it.
    std::uint64_t requests = 0;
    std::uint64_t opens = 0;
    // What the thread reports.
    std::atomic<std::int32_t> position{0};
    std::atomic<std::int32_t> length{0};
    std::atomic<bool> atEnd{false};
    std::atomic<bool> pictures{false};
    std::atomic<float> volume{1.0f};
    std::thread worker;
};

} // namespace quelmarine
