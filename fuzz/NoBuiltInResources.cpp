// The fuzz targets hand the packed-asset code their own resource tables; the program's
// generated table is not linked in.
#include "tank/assets/ResourceTable.h"

namespace quelmarine {

std::span<const PackedResource> builtInResources() {
    return {};
}

} // namespace quelmarine
