#pragma once
// The start-up load that fills the process-wide settings record and repairs the settings file,
// and the way edited fish counts reach the record.

#include "tank/ProcessState.h"
#include "tank/settings/IniDocument.h"

namespace quelmarine {

// Reads "Aquarium Settings" and "Fish Number" from the settings file into `AquariumSettings`,
// writing defaults for empty keys, out-of-range fog and light, the forced keys and missing fish
// counts. The file is stored once, at the end. When it cannot be written the record still gets
// the values (the defaults) for this run.
void loadSettingsAtStartup();

// The same values in `AquariumSettings` as loadSettingsAtStartup gives, without writing
// anything: the load's repairs are made on a copy in memory. With no file the record gets the
// built-in defaults. For programs that never own the file (the screensaver).
void loadSettingsReadOnly();

// The load's reads and writes on a document already in memory, into `record`. Draws one
// std::rand() for each empty fish count, in species order.
void applyStartupLoad(IniDocument& document, AquariumSettingsRecord& record);

// Copies five fish counts into `AquariumSettings.fishCount`, counts above 25 as 25 and negative
// counts as 0.
void applyFishCounts(const int counts[kFishSpecies]);

// One fish count as the record holds it.
std::int32_t boundedFishCount(std::int32_t count);

} // namespace quelmarine
