// Reading the ambient loop's WAV for the saver's own output: PCM 8 and 16 bit, and what is
// refused (other formats, chunks longer than the file).
#include "tank/sound/WavFile.h"

#include <gtest/gtest.h>

namespace quelmarine {
namespace {

std::vector<std::uint8_t> wav(int format, int channels, int bits, std::vector<std::uint8_t> data,
                              std::uint32_t dataSizeField = 0xFFFFFFFF) {
    std::vector<std::uint8_t> b;
    auto text = [&](const char* s) {
        for (int i = 0; i < 4; ++i)
            b.push_back(std::uint8_t(s[i]));
    };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(std::uint8_t(v >> (8 * i)));
    };
    auto u16 = [&](std::uint32_t v) {
        b.push_back(std::uint8_t(v));
        b.push_back(std::uint8_t(v >> 8));
    };
    text("RIFF");
    u32(std::uint32_t(36 + data.size()));
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(std::uint32_t(format));
    u16(std::uint32_t(channels));
    u32(22050);
    u32(std::uint32_t(22050 * channels * bits / 8));
    u16(std::uint32_t(channels * bits / 8));
    u16(std::uint32_t(bits));
    text("data");
    u32(dataSizeField == 0xFFFFFFFF ? std::uint32_t(data.size()) : dataSizeField);
    for (std::uint8_t byte : data)
        b.push_back(byte);
    return b;
}

TEST(WavFile, ReadsPcmAndRefusesTheRest) {
    WavSound sound;
    ASSERT_TRUE(parseWav(wav(1, 2, 16, {0x00, 0x80, 0xFF, 0x7F, 0x01, 0x00, 0xFF, 0xFF}), sound));
    EXPECT_EQ(sound.rate, 22050);
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{-32768, 32767, 1, -1}));

    ASSERT_TRUE(parseWav(wav(1, 1, 8, {0, 128, 255}), sound));
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{-32768, 0, 32512}));

    const std::vector<std::uint8_t> refused[] = {
        wav(3, 1, 16, {0, 0}),            // floating point
        wav(1, 1, 24, {0, 0, 0}),         // 24 bit
        wav(1, 0, 16, {0, 0}),            // no channels
        wav(1, 1, 16, {0, 0}, 1000),      // data longer than the file
        wav(1, 1, 16, {}),                // no samples
        {'R', 'I', 'F', 'F', 0, 0, 0, 0}, // cut short
    };
    for (const auto& bytes : refused) {
        EXPECT_FALSE(parseWav(bytes, sound));
        EXPECT_TRUE(sound.samples.empty());
    }
}

} // namespace
} // namespace quelmarine
