#include "DriverHeap.h"

#include <cstdlib> // defines __GLIBC__ with the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace DriverHeap {

void keepFreedBlocks()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 16 << 20); // blocks below 16 MB come from the heap, not fresh mappings
    mallopt(M_TRIM_THRESHOLD, 64 << 20); // and the heap keeps up to 64 MB of freed memory at its top
#endif
}

} // namespace DriverHeap
