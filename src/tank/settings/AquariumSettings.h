#pragma once
// The settings record: what the settings file holds, as the program uses it (the one
// instance is in tank/ProcessState.h).

#include <cstdint>

namespace quelmarine {

struct AquariumSettingsRecord {
    std::int32_t showTerra;
    std::int32_t backFixed;
    std::int32_t backColor; // 0x00BBGGRR
    std::int32_t backGradual;
    std::int32_t backColor1;
    std::int32_t backColor2;
    std::int32_t backAutoGradual;
    std::int32_t lockBack;
    float lockBackRot;
    std::int32_t volume;
    std::int32_t bubbleCount;
    std::int32_t background;
    std::int32_t fishCount[5];
    std::int32_t lightDim;
};

inline constexpr int kSpeciesCount = 5;
inline constexpr int kMaxFish = 25;

} // namespace quelmarine
