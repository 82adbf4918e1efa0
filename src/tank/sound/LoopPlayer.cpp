#include "tank/sound/LoopPlayer.h"

#include <algorithm>
#include <pulse/error.h>
#include <pulse/sample.h>
#include <pulse/simple.h>
#include <vector>

#include "tank/platform/ProgramNames.h"

namespace quelmarine {

namespace {

// Written in pieces of about 50 ms, so that a stop is noticed soon.
constexpr int kPieceMilliseconds = 50;
constexpr pa_usec_t kBufferedMilliseconds = 2000;

void playForever(const WavSound& sound, const std::atomic<bool>& stop, float gain,
                 const LoopPlayer::FailureReport& failed) {
    pa_sample_spec spec{};
    spec.format = PA_SAMPLE_S16LE;
    spec.rate = std::uint32_t(sound.rate);
    spec.channels = std::uint8_t(sound.channels);
    int error = 0;
    // Two seconds of sound ahead in the server, so that a busy machine that keeps this thread
    // waiting does not make the loop stutter. The server's own default is far shorter, and the
    // loop broke up while both cores were busy. A stop drops what is buffered at once.
    pa_buffer_attr buffering{};
    buffering.maxlength = std::uint32_t(-1);
    buffering.tlength = std::uint32_t(pa_usec_to_bytes(kBufferedMilliseconds * 1000, &spec));
    buffering.prebuf = std::uint32_t(-1);
    buffering.minreq = std::uint32_t(-1);
    buffering.fragsize = std::uint32_t(-1);
    pa_simple* stream = pa_simple_new(nullptr, kProgramTitle, PA_STREAM_PLAYBACK, nullptr,
                                      "Ambient sound", &spec, nullptr, &buffering, &error);
    if (!stream) {
        if (failed)
            failed(std::string("no sound: ") + pa_strerror(error));
        return;
    }
    const std::size_t piece = std::max<std::size_t>(1, std::size_t(sound.rate) * sound.channels *
                                                           kPieceMilliseconds / 1000);
    std::vector<std::int16_t> buffer(piece);
    std::size_t position = 0;
    while (!stop) {
        for (std::int16_t& sample : buffer) {
            sample = std::int16_t(
                std::clamp(float(sound.samples[position]) * gain, -32768.0f, 32767.0f));
            position = (position + 1) % sound.samples.size();
        }
        if (pa_simple_write(stream, buffer.data(), buffer.size() * sizeof(std::int16_t), &error) <
            0) {
            if (failed)
                failed(std::string("sound stopped: ") + pa_strerror(error));
            break;
        }
    }
    pa_simple_free(stream);
}

} // namespace

LoopPlayer::LoopPlayer(std::shared_ptr<const WavSound> sound, float gain, FailureReport failed) {
    if (!sound || sound->samples.empty() || sound->rate <= 0 || sound->channels <= 0 ||
        sound->channels > 32)
        return; // nothing to play is silence
    player = std::thread([sound = std::move(sound), stop = stop, gain, failed = std::move(failed)] {
        playForever(*sound, *stop, gain, failed);
    });
}

LoopPlayer::~LoopPlayer() {
    *stop = true;
    if (player.joinable())
        player.join();
}

} // namespace quelmarine
