#include "tank/settings/ListSection.h"

#include "tank/settings/IniFile.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"

#include <algorithm>
#include <utility>

namespace quelmarine {

const ListSectionKeys kCustomImagesKeys{kCustomImagesSection, kRandomImageKey, kCycImageKey,
                                        kRepeatImageKey,      kOwnImageKey,    kImageSumKey,
                                        kImageListPrefix};
const ListSectionKeys kCustomSettingsKeys{kCustomSettingsSection, kRandomMusicKey, kCycMusicKey,
                                          kRepeatMusicKey,        kOwnMusicKey,    kMusicSumKey,
                                          kMusicListPrefix};

ListSection readListSection(const ListSectionKeys& keys, std::size_t maxRows) {
    return readListSection(loadIniFile(settingsFilePath()).document, keys, maxRows);
}

ListSection readListSection(const IniDocument& document, const ListSectionKeys& keys,
                            std::size_t maxRows) {
    auto flag = [&](const char* key) { return parseAtoi(document.read(keys.section, key)) == 1; };
    ListSection list;
    const bool random = flag(keys.random);
    const bool cycle = flag(keys.cycle);
    const bool repeat = flag(keys.repeat);
    list.mode = (repeat || (!random && !cycle)) ? kRepeatOne : cycle ? kRepeatAll : kRandom;
    list.on = flag(keys.own);
    const std::int32_t sum = parseAtoi(document.read(keys.section, keys.sum));
    const std::size_t rows = sum > 0 ? std::min(std::size_t(sum), maxRows) : 0;
    list.paths = document.readRows(keys.section, keys.prefix, rows, kPathReadLimit);
    return list;
}

void writeListSection(IniDocument& document, const ListSectionKeys& keys, const ListSection& list,
                      const char* extraKey, std::string_view extraValue) {
    auto flag = [](bool set) { return std::string(set ? "1" : "0"); };
    std::vector<std::pair<std::string, std::string>> pairs{
        {keys.random, flag(list.mode == kRandom)},
        {keys.cycle, flag(list.mode == kRepeatAll)},
        {keys.repeat, flag(list.mode == kRepeatOne)},
        {keys.own, flag(list.on)}};
    if (extraKey)
        pairs.emplace_back(extraKey, std::string(extraValue));
    pairs.emplace_back(keys.sum, std::to_string(list.paths.size()));
    for (std::size_t i = 0; i < list.paths.size(); ++i)
        pairs.emplace_back(keys.prefix + std::to_string(i), list.paths[i]);
    document.writeMany(keys.section, pairs);
}

bool fitsOneIniLine(std::string_view path) {
    if (path.empty() || path.size() > kPathReadLimit)
        return false;
    // Blanks at either end would be trimmed away when the line is read back.
    if (isIniBlank(path.front()) || isIniBlank(path.back()))
        return false;
    return std::none_of(path.begin(), path.end(),
                        [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
}

} // namespace quelmarine
