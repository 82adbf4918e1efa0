// The INI reader and the start-up load on any bytes as the settings file.
// Properties: the text survives a read unchanged; the load keeps every value it hands the
// program within its bounds; what the load stores is already repaired (loading it again
// changes nothing and gives the same values); any stored key reads back.

#include "FuzzCheck.h"
#include "tank/settings/SettingsKeys.h"
#include "tank/settings/SettingsLoad.h"

#include <cstring>
#include <string>
#include <string_view>

using namespace quelmarine;

namespace {

bool sameRecord(const AquariumSettingsRecord& a, const AquariumSettingsRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument document(bytes);
    FUZZ_CHECK(document.bytes() == bytes);
    FUZZ_CHECK(!document.changed());

    AquariumSettingsRecord record{};
    applyStartupLoad(document, record);
    for (int species = 0; species < kFishSpecies; ++species)
        FUZZ_CHECK(record.fishCount[species] >= 0 && record.fishCount[species] <= kFishPoolSize);
    FUZZ_CHECK(record.lightDim >= 0 && record.lightDim <= 100);
    for (const AquariumKey& key : kAquariumKeys) {
        const std::string stored = document.read(kAquariumSection, key.name);
        FUZZ_CHECK(!stored.empty());
        if (key.rule == KeyRule::Forced)
            FUZZ_CHECK(stored == key.text);
    }

    const std::string repaired = document.bytes();
    IniDocument again(repaired);
    AquariumSettingsRecord second{};
    applyStartupLoad(again, second);
    FUZZ_CHECK(!again.changed());
    FUZZ_CHECK(sameRecord(record, second));

    // A key written into the text reads back, and the text still parses to the same values.
    if (size > 0) {
        const std::string value = std::to_string(int(data[0]) - 100);
        FUZZ_CHECK(again.write(kCustomImagesSection, kImageSumKey, value));
        FUZZ_CHECK(again.read(kCustomImagesSection, kImageSumKey) == value);
        IniDocument third(again.bytes());
        FUZZ_CHECK(third.read(kCustomImagesSection, kImageSumKey) == value);
        AquariumSettingsRecord fromThird{};
        applyStartupLoad(third, fromThird);
        FUZZ_CHECK(sameRecord(record, fromThird));
    }
    return 0;
}
