#include "saver/SaverSound.h"

#include "res/ResourceIds.h"
#include "tank/ProcessState.h"
#include "tank/assets/PackedAssets.h"
#include "tank/platform/ErrorReport.h"
#include "tank/sound/AmbientLoop.h"

#include <algorithm>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <vector>

namespace quelmarine::saver {

namespace {

// Written in pieces of about 50 ms, so that a stop is noticed soon.
constexpr int kPieceMilliseconds = 50;

void playForever(const WavSound& sound, const std::atomic<bool>& stop, float gain) {
    pa_sample_spec spec{};
    spec.format = PA_SAMPLE_S16LE;
    spec.rate = std::uint32_t(sound.rate);
    spec.channels = std::uint8_t(sound.channels);
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Quelmarine", PA_STREAM_PLAYBACK, nullptr,
                                      "Ambient sound", &spec, nullptr, nullptr, &error);
    if (!stream) {
        reportError(std::string("no sound: ") + pa_strerror(error), "quelmarine");
        return;
    }
    const std::size_t piece = std::size_t(sound.rate) * sound.channels * kPieceMilliseconds / 1000;
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
            reportError(std::string("sound stopped: ") + pa_strerror(error), "quelmarine");
            break;
        }
    }
    pa_simple_free(stream);
}

} // namespace

SaverSound::SaverSound() {
    auto loaded = std::make_shared<WavSound>();
    bool ok = false;
    withPackedAsset(kResourceAmbientLoop, kResourceAmbientLoopFile,
                    [&](const std::string& path) { ok = readWavFile(path, *loaded); });
    if (!ok)
        return; // a missing sound is silence
    sound = loaded;
    const float gain = ambientGain(AquariumSettings.volume);
    player = std::thread([sound = sound, stop = stop, gain] { playForever(*sound, *stop, gain); });
}

SaverSound::~SaverSound() {
    *stop = true;
    if (player.joinable())
        player.join();
}

} // namespace quelmarine::saver
