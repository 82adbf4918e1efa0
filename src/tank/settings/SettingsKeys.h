#pragma once
// The settings file's name, its sections and keys, and how the start-up load treats each key of
// "Aquarium Settings". Every text here is stored in the file exactly as it stands.

#include "tank/settings/AquariumSettings.h"

#include <cstdint>

namespace quelmarine {

inline constexpr const char* kSettingsFileName = "QuelmarineSet.ini";

inline constexpr const char* kAquariumSection = "Aquarium Settings";
inline constexpr const char* kFishSection = "Fish Number";
inline constexpr const char* kCustomImagesSection = "Custom Images";
inline constexpr const char* kCustomSettingsSection = "Custom Settings";

// "Fish Number": the prefix followed by the species index in decimal (Fish0 ... Fish4).
inline constexpr const char* kFishKeyPrefix = "Fish";

// "Custom Images", in the order the background dialog writes them; "ImageList" is followed by
// the picture's index.
inline constexpr const char* kRandomImageKey = "RandomImage";
inline constexpr const char* kCycImageKey = "CycImage";
inline constexpr const char* kRepeatImageKey = "RepeatImage";
inline constexpr const char* kOwnImageKey = "OwnImage";
inline constexpr const char* kImageTimeKey = "ImageTime";
inline constexpr const char* kImageSumKey = "ImageSum";
inline constexpr const char* kImageListPrefix = "ImageList";

// "Custom Settings", in the order the music dialog writes them; "MusicList" is followed by the
// track's index.
inline constexpr const char* kRandomMusicKey = "RandomMusic";
inline constexpr const char* kCycMusicKey = "CycMusic";
inline constexpr const char* kRepeatMusicKey = "RepeatMusic";
inline constexpr const char* kOwnMusicKey = "OwnMusic";
inline constexpr const char* kMusicSumKey = "MusicSum";
inline constexpr const char* kMusicListPrefix = "MusicList";

// The application profile value read by the music dialog (its application: kApplicationName).
inline constexpr const char* kProfileOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kProfileSection = "Settings";
inline constexpr const char* kProfileVolumeKey = "Volume";
inline constexpr int kProfileVolumeDefault = 1000;

enum class KeyRule {
    WhenEmpty, // empty text: write `text` and use its value
    Forced,    // always write `text` and use its value
    InRange    // empty text or a value outside low ... high: write `text` and use its value
};

struct AquariumKey {
    const char* name;
    KeyRule rule;
    const char* text;
    std::int32_t low = 0;
    std::int32_t high = 0;
    // Where the value goes in the record, if anywhere; phases keep their integer part as a float.
    std::int32_t AquariumSettingsRecord::*field = nullptr;
    float AquariumSettingsRecord::*phase = nullptr;
};

// "Aquarium Settings" in the order the start-up load handles (and so first writes) them.
inline constexpr AquariumKey kAquariumKeys[] = {
    {"Show Water", KeyRule::Forced, "0"},
    {"Show Light", KeyRule::Forced, "0"},
    {"Show Terra", KeyRule::Forced, "1", 0, 0, &AquariumSettingsRecord::showTerra},
    {"FRONT GUDING", KeyRule::WhenEmpty, "1"},
    {"FRONTCOLOR", KeyRule::WhenEmpty, "16777215"},
    {"FRONT MANJIANBIAN", KeyRule::WhenEmpty, "0"},
    {"FRONT COLOR1", KeyRule::WhenEmpty, "16777215"},
    {"FRONT COLOR2", KeyRule::WhenEmpty, "16777215"},
    {"FRONT AUTOJIANBIAN", KeyRule::WhenEmpty, "0"},
    {"CHECK LOCKFORE", KeyRule::WhenEmpty, "0"},
    {"LOCKFORE ROT", KeyRule::WhenEmpty, "0"},
    {"BACK GUDING", KeyRule::Forced, "1", 0, 0, &AquariumSettingsRecord::backFixed},
    {"BACKCOLOR", KeyRule::Forced, "0", 0, 0, &AquariumSettingsRecord::backColor},
    {"BACK MANJIANBIAN", KeyRule::WhenEmpty, "0", 0, 0, &AquariumSettingsRecord::backGradual},
    {"BACK COLOR1", KeyRule::WhenEmpty, "65280", 0, 0, &AquariumSettingsRecord::backColor1},
    {"BACK COLOR2", KeyRule::WhenEmpty, "0", 0, 0, &AquariumSettingsRecord::backColor2},
    {"BACK AUTOJIANBIAN", KeyRule::Forced, "0", 0, 0, &AquariumSettingsRecord::backAutoGradual},
    {"CHECK LOCKBACK", KeyRule::WhenEmpty, "0", 0, 0, &AquariumSettingsRecord::lockBack},
    {"LOCKBACK ROT", KeyRule::WhenEmpty, "0", 0, 0, nullptr, &AquariumSettingsRecord::lockBackRot},
    {"YINLIANG", KeyRule::WhenEmpty, "32767.5", 0, 0, &AquariumSettingsRecord::volume},
    {"QIPAONUM", KeyRule::WhenEmpty, "100", 0, 0, &AquariumSettingsRecord::bubbleCount},
    {"BACKGROUND", KeyRule::WhenEmpty, "0", 0, 0, &AquariumSettingsRecord::background},
    {"FOGNONGDU", KeyRule::InRange, "25", 0, 25},
    {"LIGHTQIANGDU", KeyRule::InRange, "0", 0, 100, &AquariumSettingsRecord::lightDim},
    {"CHECK VIEWS", KeyRule::WhenEmpty, "1"},
    {"VIEWSLEFTRIGHT", KeyRule::WhenEmpty, "0"},
    {"VIEWSNEARFAR", KeyRule::WhenEmpty, "0"},
};

} // namespace quelmarine
