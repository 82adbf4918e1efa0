#include "tank/settings/SettingsLoad.h"

#include "tank/settings/IniFile.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace quelmarine {

namespace {

// The value a key of the aquarium section starts with: its text, or its default (and then
// `repaired` is set) when the key's rule asks for it.
std::int32_t aquariumValue(const AquariumKey& key, const std::string& text, bool& repaired) {
    const std::int32_t value = parseAtoi(text);
    switch (key.rule) {
    case KeyRule::Forced:
        repaired = true;
        break;
    case KeyRule::WhenEmpty:
        repaired = text.empty();
        break;
    case KeyRule::InRange:
        repaired = text.empty() || value < key.low || value > key.high;
        break;
    }
    return repaired ? parseAtoi(key.text) : value;
}

} // namespace

std::int32_t boundedFishCount(std::int32_t count) {
    return std::clamp(count, 0, kFishPoolSize);
}

// Each section is read in one pass and its repairs written in one pass (the keys of a section
// are distinct, so this stores what a read and a write of each key in turn would).
void applyStartupLoad(IniDocument& document, AquariumSettingsRecord& record) {
    std::vector<std::string> names;
    for (const AquariumKey& key : kAquariumKeys)
        names.emplace_back(key.name);
    const std::vector<std::string> texts = document.readMany(kAquariumSection, names);
    std::vector<std::pair<std::string, std::string>> repairs;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const AquariumKey& key = kAquariumKeys[i];
        bool repaired = false;
        const std::int32_t value = aquariumValue(key, texts[i], repaired);
        if (repaired)
            repairs.emplace_back(key.name, key.text);
        if (key.field)
            record.*key.field = value;
        if (key.phase)
            record.*key.phase = float(value);
    }
    document.writeMany(kAquariumSection, repairs);

    std::vector<std::string> fishKeys;
    for (int species = 0; species < kFishSpecies; ++species)
        fishKeys.push_back(kFishKeyPrefix + std::to_string(species));
    const std::vector<std::string> counts = document.readMany(kFishSection, fishKeys);
    std::vector<std::pair<std::string, std::string>> missing;
    for (int species = 0; species < kFishSpecies; ++species) {
        std::int32_t count = parseAtoi(counts[std::size_t(species)]);
        if (counts[std::size_t(species)].empty()) {
            count = std::rand() % 2;
            missing.emplace_back(fishKeys[std::size_t(species)], std::to_string(count));
        }
        record.fishCount[species] = boundedFishCount(count);
    }
    document.writeMany(kFishSection, missing);
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
