#include "tank/platform/HeapArenas.h"

#include <malloc.h>

namespace quelmarine {

void useOneHeapArena() {
    mallopt(M_ARENA_MAX, 1);
}

} // namespace quelmarine
