#pragma once
// The 50-byte additive key shared by the asset packer (build time) and the unscrambler (run time).

#include <array>
#include <cstddef>
#include <cstdint>

namespace quelmarine {

inline constexpr std::size_t kScrambleKeyLength = 50;

// Built from a small linear congruential sequence, so it need not be written out by hand.
constexpr std::array<std::uint8_t, kScrambleKeyLength> buildScrambleKey() {
    std::array<std::uint8_t, kScrambleKeyLength> key{};
    std::uint32_t state = 0x51E1A7u;
    for (std::size_t i = 0; i < kScrambleKeyLength; ++i) {
        state = state * 1103515245u + 12345u;
        key[i] = static_cast<std::uint8_t>((state >> 16) & 0xFFu);
    }
    return key;
}

// Byte i of a file is scrambled with key[(i + 1) % 50].
constexpr std::uint8_t scrambleKeyFor(std::size_t position) {
    return buildScrambleKey()[(position + 1) % kScrambleKeyLength];
}

} // namespace quelmarine
