#include "tank/settings/SettingsLoad.h"

#include "tank/settings/IniFile.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace quelmarine {

namespace {

std::int32_t loadAquariumKey(IniDocument& document, const AquariumKey& key) {
    std::string text = document.read(kAquariumSection, key.name);
    std::int32_t value = parseAtoi(text);
    bool useDefault = false;
    switch (key.rule) {
    case KeyRule::Forced:
        useDefault = true;
        break;
    case KeyRule::WhenEmpty:
        useDefault = text.empty();
        break;
    case KeyRule::InRange:
        useDefault = text.empty() || value < key.low || value > key.high;
        break;
    }
    if (useDefault) {
        document.write(kAquariumSection, key.name, key.text);
        value = parseAtoi(key.text);
    }
    return value;
}

std::int32_t loadFishCount(IniDocument& document, int species) {
    const std::string key = kFishKeyPrefix + std::to_string(species);
    std::string text = document.read(kFishSection, key);
    std::int32_t count = parseAtoi(text);
    if (text.empty()) {
        count = std::rand() % 2;
        document.write(kFishSection, key, std::to_string(count));
    }
    return boundedFishCount(count);
}

} // namespace

std::int32_t boundedFishCount(std::int32_t count) {
    return std::clamp(count, 0, kFishPoolSize);
}

void applyStartupLoad(IniDocument& document, AquariumSettingsRecord& record) {
    for (const AquariumKey& key : kAquariumKeys) {
        std::int32_t value = loadAquariumKey(document, key);
        if (key.field)
            record.*key.field = value;
        if (key.phase)
            record.*key.phase = float(value);
    }
    for (int species = 0; species < kFishSpecies; ++species)
        record.fishCount[species] = loadFishCount(document, species);
}

void loadSettingsAtStartup() {
    removeAbandonedCopies(settingsFilePath());
    updateSettingsFile([](IniDocument& document) { applyStartupLoad(document, AquariumSettings); });
}

void loadSettingsReadOnly() {
    IniDocument document = readSettingsDocument();
    applyStartupLoad(document, AquariumSettings);
}

void applyFishCounts(const int counts[kFishSpecies]) {
    for (int species = 0; species < kFishSpecies; ++species)
        AquariumSettings.fishCount[species] = boundedFishCount(counts[species]);
}

} // namespace quelmarine
