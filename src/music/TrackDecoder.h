#pragma once
// One music file decoded to 16-bit stereo samples at 44.1 kHz, whatever its own format: WAV,
// MP3, the sound of an MPEG film and whatever else FFmpeg reads. Used from one thread at a time.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quelmarine {

class TrackDecoder {
  public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    TrackDecoder();
    ~TrackDecoder();
    TrackDecoder(const TrackDecoder&) = delete;
    TrackDecoder& operator=(const TrackDecoder&) = delete;

    // Opens `path` in place of the file open before; false when it holds no sound it can decode.
    bool open(const std::string& path);
    void close();
    bool isOpen() const;
    // The length in milliseconds (0 when the file does not say); whether the file has pictures.
    std::int32_t lengthMs() const { return length; }
    bool hasPictures() const { return pictures; }

    enum class Result { Samples, End, Error };
    // Appends the next decoded samples (interleaved left, right) to `out`.
    Result decode(std::vector<std::int16_t>& out);
    // Goes to `ms` milliseconds from the start; the next samples are from there.
    bool seek(std::int32_t ms);

  private:
    struct Codec;
    std::unique_ptr<Codec> codec;
    std::int32_t length = 0;
    bool pictures = false;
};

} // namespace quelmarine
