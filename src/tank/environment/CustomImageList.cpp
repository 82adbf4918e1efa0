#include "tank/environment/CustomImageList.h"

#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsKeys.h"

#include <algorithm>

namespace quelmarine {

namespace {
// A path is read whole, up to the longest path the system allows.
constexpr std::size_t kLongestPath = 4096;
} // namespace

CustomImageSettings loadCustomImageSettings(const IniDocument& document) {
    auto flag = [&](const char* key) {
        return parseAtoi(document.read(kCustomImagesSection, key)) == 1;
    };
    CustomImageSettings settings;
    settings.ownImage = flag(kOwnImageKey);
    if (flag(kRepeatImageKey))
        settings.mode = CycleMode::RepeatOne;
    else if (flag(kCycImageKey))
        settings.mode = CycleMode::RepeatAll;
    else if (flag(kRandomImageKey))
        settings.mode = CycleMode::Random;
    const std::string interval = document.read(kCustomImagesSection, kImageTimeKey);
    if (!interval.empty())
        settings.intervalText = interval;
    const int count = std::clamp(parseAtoi(document.read(kCustomImagesSection, kImageSumKey)), 0,
                                 kMaxCustomPictures);
    for (int i = 0; i < count; ++i)
        settings.paths.push_back(document.read(kCustomImagesSection,
                                               kImageListPrefix + std::to_string(i), kLongestPath));
    return settings;
}

} // namespace quelmarine
