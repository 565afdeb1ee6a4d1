#include "engine/platform/HeapUsage.h"

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define MIRELUNE_ASAN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRELUNE_ASAN_HEAP 1
#endif
#endif

#if defined(MIRELUNE_ASAN_HEAP)
// The memory checker's own allocator counts what is handed out; its header is
// not shipped with every compiler, the function always is.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace veru::platform {

std::int64_t heapBytesInUse() {
#if defined(MIRELUNE_ASAN_HEAP)
    return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    // Small blocks in use in the arenas plus the large blocks mapped apart.
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}

void returnFreeHeap() {
#if !defined(MIRELUNE_ASAN_HEAP) && defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

}  // namespace veru::platform
