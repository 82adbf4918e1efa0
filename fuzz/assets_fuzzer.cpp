// Extraction and unscrambling of packed assets with any bytes as the packed resource.
// Properties: the plain file is the resource unscrambled byte for byte (the packer's rule
// undone), its name follows the asset's kind, and deleting both files leaves the folder empty.

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "tank/assets/PackedAssets.h"
#include "tank/assets/ScrambleKey.h"

#include <string>

using namespace quelmarine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& folder = fuzzsupport::scratchFolder();
    // The first byte picks the kind of asset (a picture or the sound) and the resource id.
    const std::string name = size > 0 && (data[0] & 1) ? "Music" : "Texture";
    const std::uint16_t id = size > 0 ? std::uint16_t(100 + data[0]) : 100;
    const PackedResource table[] = {{id, data, data + size}};

    FUZZ_CHECK(extractPackedAsset(id, folder, name, table));
    FUZZ_CHECK(!extractPackedAsset(std::uint16_t(id + 1), folder, name, table));
    bool packedExists = false, plainExists = false;
    const std::string packed =
        fuzzsupport::readWholeFile(packedAssetPath(folder, name), packedExists);
    const std::string plain = fuzzsupport::readWholeFile(plainAssetPath(folder, name), plainExists);
    FUZZ_CHECK(packedExists && plainExists);
    FUZZ_CHECK(plainAssetPath(folder, name).ends_with(name == "Music" ? ".wav" : ".bmp"));
    FUZZ_CHECK(packed.size() == size && plain.size() == size);
    for (std::size_t i = 0; i < size; ++i) {
        FUZZ_CHECK(std::uint8_t(packed[i]) == data[i]);
        FUZZ_CHECK(std::uint8_t(std::uint8_t(plain[i]) - scrambleKeyFor(i)) == data[i]);
    }

    deleteAssetFile(packedAssetPath(folder, name));
    deleteAssetFile(plainAssetPath(folder, name));
    FUZZ_CHECK(fuzzsupport::folderEntries(folder) == 0);
    return 0;
}
