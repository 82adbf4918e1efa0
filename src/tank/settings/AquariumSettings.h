#pragma once
// The settings record: what the settings file holds, as the program uses it (the one
// instance is in tank/ProcessState.h).

#include <cstdint>

namespace quelmarine {

// The fish: five species share a pool of 25 slots.
inline constexpr int kFishSpecies = 5;
inline constexpr int kFishPoolSize = 25;

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
    std::int32_t fishCount[kFishSpecies];
    std::int32_t lightDim;
};

// The value of `background` that shows the backdrop behind the tank; every other value hides it.
inline constexpr std::int32_t kBackgroundShowsBackdrop = 0;

inline bool showsBackdrop(const AquariumSettingsRecord& settings) {
    return settings.background == kBackgroundShowsBackdrop;
}

} // namespace quelmarine
