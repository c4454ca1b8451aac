#include "platform/heap.h"

#include <malloc.h>

namespace platform {

void keepFreedMemory()
{
    // 32 MiB is the largest threshold the allocator takes; a block above it
    // (a script near its size limit) is still mapped apart.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

} // namespace platform
