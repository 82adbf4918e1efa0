#pragma once
// Packed assets: a resource is written to "<dir><name>.ad", unscrambled into "<dir><name>.bmp"
// (".wav" for "Music"), used, and both files are deleted at once.

#include <cstdint>
#include <span>
#include <string>

#include "tank/assets/ResourceTable.h"
#include "tank/platform/TerminationSignals.h"

namespace quelmarine {

std::string packedAssetPath(const std::string& directory, const std::string& name);
std::string plainAssetPath(const std::string& directory, const std::string& name);

// Writes the resource to the packed file and unscrambles it into the plain file. False, with
// nothing written, when the resource does not exist or `directory` is empty.
bool extractPackedAsset(std::uint16_t resourceId, const std::string& directory,
                        const std::string& name);
bool extractPackedAsset(std::uint16_t resourceId, const std::string& directory,
                        const std::string& name, std::span<const PackedResource> table);

// Reads the packed file and writes the plain file. When either cannot be opened it says so on
// standard error and leaves the asset missing.
void unscramblePackedAsset(const std::string& directory, const std::string& name);

// Removes a file, ignoring the result.
void deleteAssetFile(const std::string& path);

// Runs `use` with the plain file of resource `resourceId` extracted as `name` into `directory`
// (the asset folder, ending in '/'), then deletes the packed and the plain file, whether or not
// the earlier steps worked. A termination request in between removes them too. With an empty
// `directory` nothing is extracted and `use` gets a path that does not exist.
template <typename Use>
void withPackedAsset(const std::string& directory, std::uint16_t resourceId,
                     const std::string& name, Use&& use) {
    const bool extracted = !directory.empty();
    RemovedOnTermination packed(extracted ? packedAssetPath(directory, name) : std::string());
    RemovedOnTermination plain(extracted ? plainAssetPath(directory, name) : std::string());
    extractPackedAsset(resourceId, directory, name);
    use(plainAssetPath(directory, name));
    deleteAssetFile(packedAssetPath(directory, name));
    deleteAssetFile(plainAssetPath(directory, name));
}

} // namespace quelmarine
