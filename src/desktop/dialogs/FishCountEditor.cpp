#include "desktop/dialogs/FishCountEditor.h"

#include <cstdlib>
#include <string>

#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"
#include "tank/settings/SettingsLoad.h"

namespace quelmarine {

namespace {
std::string fishKey(int species) {
    return kFishKeyPrefix + std::to_string(species);
}
} // namespace

FishCountEditor::CellBox FishCountEditor::cell(int index) {
    const int left = kCellWidth * index + 2, top = 2;
    return {left, top, left + kCellWidth, top + kCellHeight};
}

void FishCountEditor::load() {
    for (int i = 0; i < kFishSpecies; ++i)
        counts[i] = readIniInt(kFishSection, fishKey(i));
}

void FishCountEditor::save() const {
    updateSettingsFile([&](IniDocument& document) {
        for (int i = 0; i < kFishSpecies; ++i)
            document.write(kFishSection, fishKey(i), std::to_string(counts[i]));
    });
    applyFishCounts(counts.data());
}

long FishCountEditor::total() const {
    long sum = 0;
    for (std::int32_t count : counts)
        sum += count;
    return sum;
}

void FishCountEditor::press(int x, int y) {
    if (y > kPictureBandBottom) {
        selection = -1;
        previousSelection = -1;
        return;
    }
    const int index = x / kCellWidth + kFishSpecies * (y / kCellHeight);
    selection = index >= 0 && index < kFishSpecies ? index : -1;
    previousSelection = index;
}

bool FishCountEditor::add() {
    if (selection < 0 || total() >= kFishPoolSize || counts[selection] >= kFishPoolSize)
        return false;
    ++counts[selection];
    return true;
}

bool FishCountEditor::remove() {
    if (selection < 0 || counts[selection] <= 0)
        return false;
    --counts[selection];
    return true;
}

bool FishCountEditor::randomize() {
    for (std::int32_t& count : counts)
        count = std::rand() % 2;
    selection = -1;
    return true;
}

bool FishCountEditor::clear() {
    bool changed = false;
    for (std::int32_t& count : counts) {
        changed |= count != 0;
        count = 0;
    }
    return changed;
}

} // namespace quelmarine
