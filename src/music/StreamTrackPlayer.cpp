#include "music/StreamTrackPlayer.h"

#include "music/TrackDecoder.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace quelmarine {

namespace {

constexpr int kPieceMs = 40;
// What the sound server holds ahead: enough to ride out a busy moment, short enough that a
// volume change is soon heard. A pause drops it at once.
constexpr pa_usec_t kBufferedMs = 400;
constexpr int kEndSilenceMs = 250;

using Clock = std::chrono::steady_clock;

std::int64_t framesToMs(std::int64_t frames) {
    return frames * 1000 / TrackDecoder::kRate;
}

// The sound server's stream for one stretch of playing; without a server, a clock that plays
// silently at the same pace.
class Output {
  public:
    explicit Output(const std::string& client) {
        pa_sample_spec spec{};
        spec.format = PA_SAMPLE_S16LE;
        spec.rate = TrackDecoder::kRate;
        spec.channels = TrackDecoder::kChannels;
        pa_buffer_attr buffering{};
        buffering.maxlength = std::uint32_t(-1);
        buffering.tlength = std::uint32_t(pa_usec_to_bytes(kBufferedMs * 1000, &spec));
        // Starts as soon as one piece is there (the server's own choice held back the first
        // second and more of a track).
        buffering.prebuf = std::uint32_t(pa_usec_to_bytes(kPieceMs * 1000, &spec));
        // A write waits for room for one piece at most: a pause is heard within a piece.
        buffering.minreq = buffering.prebuf;
        buffering.fragsize = std::uint32_t(-1);
        int error = 0;
        stream = pa_simple_new(nullptr, client.c_str(), PA_STREAM_PLAYBACK, nullptr, "Music", &spec,
                               nullptr, &buffering, &error);
    }
    ~Output() {
        if (stream)
            pa_simple_free(stream); // what the server still holds is dropped with it
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Plays `samples` (interleaved stereo); false when the server has failed.
    bool write(const std::vector<std::int16_t>& samples) {
        const std::int64_t frames = std::int64_t(samples.size()) / TrackDecoder::kChannels;
        written += frames;
        if (!stream) {
            // Silent: keeps no further ahead of the clock than a server would.
            std::this_thread::sleep_until(
                started +
                std::chrono::milliseconds(framesToMs(written) - std::int64_t(kBufferedMs)));
            return true;
        }
        int error = 0;
        return pa_simple_write(stream, samples.data(), samples.size() * sizeof(std::int16_t),
                               &error) == 0;
    }
    // Milliseconds of sound written so far.
    std::int64_t sentMs() const { return framesToMs(written); }
    // Milliseconds of sound heard so far.
    std::int64_t heardMs() const {
        const std::int64_t sent = framesToMs(written);
        if (!stream) {
            const auto elapsed =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
            return std::min<std::int64_t>(sent, elapsed.count());
        }
        int error = 0;
        const pa_usec_t latency = pa_simple_get_latency(stream, &error);
        if (latency == pa_usec_t(-1))
            return sent;
        return std::max<std::int64_t>(sent - std::int64_t(latency / 1000), 0);
    }

  private:
    pa_simple* stream = nullptr;
    std::int64_t written = 0; // frames
    const Clock::time_point started = Clock::now();
};

void applyGain(std::vector<std::int16_t>& samples, float gain) {
    if (gain >= 1.0f)
        return;
    for (std::int16_t& sample : samples)
        sample = std::int16_t(float(sample) * gain);
}

} // namespace

StreamTrackPlayer::StreamTrackPlayer(Events events, std::string client)
    : events(std::move(events)), clientName(std::move(client)), worker([this] { run(); }) {}

StreamTrackPlayer::~StreamTrackPlayer() {
    {
        std::lock_guard<std::mutex> guard(lock);
        quit = true;
    }
    wake.notify_all();
    worker.join();
}

void StreamTrackPlayer::ask(const std::function<void()>& change) {
    {
        std::lock_guard<std::mutex> guard(lock);
        change();
        ++requests;
    }
    wake.notify_all();
}

std::uint64_t StreamTrackPlayer::open(const std::string& path) {
    std::uint64_t number = 0;
    ask([&] {
        pendingPath = path;
        number = pendingOpen = currentOpen = ++opens;
        wantPlaying = closeRequested = seekRequested = failRequested = false;
    });
    return number;
}

void StreamTrackPlayer::play() {
    ask([&] { wantPlaying = true; });
}

void StreamTrackPlayer::pause() {
    ask([&] {
        if (!wantPlaying)
            return;
        // The track stays where it is now; what the thread still plays of it (a piece at
        // most) is played again after the pause.
        wantPlaying = false;
        pausedAt = position.load();
    });
}

void StreamTrackPlayer::close() {
    ask([&] {
        currentOpen = ++opens;
        pendingOpen = 0;
        closeRequested = true;
        wantPlaying = seekRequested = failRequested = false;
    });
}

void StreamTrackPlayer::seek(std::int32_t ms) {
    ask([&] {
        seekRequested = true;
        seekTo = ms;
        // Told at once, as the thread will have it.
        const std::int32_t whole = length.load();
        position = std::clamp(ms, 0, whole > 0 ? whole : INT32_MAX);
        atEnd = false;
    });
}

void StreamTrackPlayer::setGain(float gain) {
    volume = std::clamp(gain, 0.0f, 1.0f);
}

void StreamTrackPlayer::failForTesting() {
    ask([&] { failRequested = true; });
}

void StreamTrackPlayer::run() {
    TrackDecoder decoder;
    std::unique_ptr<Output> output;
    std::vector<std::int16_t> samples;
    std::int32_t base = 0; // where in the track the output's first sample is, in milliseconds
    auto clampToLength = [&](std::int64_t ms) {
        const std::int32_t whole = decoder.lengthMs();
        return std::int32_t(std::clamp<std::int64_t>(ms, 0, whole > 0 ? whole : INT32_MAX));
    };
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        wake.wait(guard, [&] {
            return quit || pendingOpen || closeRequested || seekRequested || failRequested ||
                   (wantPlaying && decoder.isOpen() && !atEnd) || (!wantPlaying && output);
        });
        if (quit)
            break;
        if (pendingOpen || closeRequested) {
            const std::uint64_t number = pendingOpen;
            const std::string path = pendingPath;
            pendingOpen = 0;
            closeRequested = false;
            guard.unlock();
            output.reset();
            decoder.close();
            position = base = 0;
            atEnd = false;
            const bool playable = number != 0 && decoder.open(path);
            length = decoder.lengthMs();
            pictures = decoder.hasPictures();
            if (number != 0 && events.loaded)
                events.loaded(number, playable);
            guard.lock();
            continue;
        }
        if (failRequested) {
            failRequested = wantPlaying = false;
            const std::uint64_t number = currentOpen;
            guard.unlock();
            output.reset();
            decoder.close();
            if (events.failed)
                events.failed(number);
            guard.lock();
            continue;
        }
        if (seekRequested) {
            seekRequested = false;
            const std::int32_t to = seekTo;
            guard.unlock();
            output.reset();
            position = base = clampToLength(to);
            decoder.seek(base);
            atEnd = false;
            guard.lock();
            continue;
        }
        if (!wantPlaying) {
            // Paused: the track goes on from where it was when the pause came.
            const std::int32_t at = pausedAt;
            guard.unlock();
            position = base = clampToLength(at);
            output.reset();
            decoder.seek(base);
            guard.lock();
            continue;
        }
        // Playing: one piece.
        guard.unlock();
        samples.clear();
        TrackDecoder::Result result = TrackDecoder::Result::Samples;
        const std::size_t piece =
            std::size_t(TrackDecoder::kRate) * kPieceMs / 1000 * TrackDecoder::kChannels;
        while (samples.size() < piece && result == TrackDecoder::Result::Samples)
            result = decoder.decode(samples);
        applyGain(samples, volume.load());
        // The stream is made with the first sound: a track with none ends at once.
        if (!output && !samples.empty())
            output = std::make_unique<Output>(clientName);
        const bool written = samples.empty() || output->write(samples);
        if (output)
            position = clampToLength(base + output->heardMs());
        guard.lock();
        if (result == TrackDecoder::Result::End && !output) {
            atEnd = true;
            wantPlaying = false;
            continue;
        }
        if (result == TrackDecoder::Result::End && written) {
            // The end is reached once all has been heard, unless something is asked first.
            // The server plays a stream in blocks and holds back the last part of one: a
            // little silence after the track lets all of it be heard.
            const std::uint64_t asked = requests;
            const std::int64_t whole = output->sentMs();
            guard.unlock();
            const bool padded = output->write(std::vector<std::int16_t>(
                std::size_t(TrackDecoder::kRate) * kEndSilenceMs / 1000 * TrackDecoder::kChannels));
            guard.lock();
            const auto deadline =
                Clock::now() + std::chrono::milliseconds(whole - output->heardMs() + 2000);
            while (padded && requests == asked && output->heardMs() < whole &&
                   Clock::now() < deadline) {
                wake.wait_for(guard, std::chrono::milliseconds(10));
                position = clampToLength(base + output->heardMs());
            }
            if (requests != asked)
                continue;
            output.reset();
            position = decoder.lengthMs() > 0 ? decoder.lengthMs() : position.load();
            atEnd = true;
            wantPlaying = false;
            continue;
        }
        if (result == TrackDecoder::Result::Error || !written)
            failRequested = true;
    }
    output.reset();
}

} // namespace quelmarine
