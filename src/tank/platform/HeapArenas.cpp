#include "tank/platform/HeapArenas.h"

#include <malloc.h>

namespace quelmarine {

void setUpHeap() {
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, kMappedBlockBytes);
}

} // namespace quelmarine
