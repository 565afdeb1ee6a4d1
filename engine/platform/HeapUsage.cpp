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

#if !defined(MIRELUNE_ASAN_HEAP) && defined(__GLIBC__)
namespace {
// Blocks of this many bytes and more are mapped apart (glibc's own default
// before it starts raising it).
constexpr int kLargeBlock = 128 * 1024;
}  // namespace
#endif

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
    // glibc raises its threshold for mapping a block apart to the size of
    // every mapped block freed, so after the first picture is let go the
    // next ones land in the heap, where what is freed between the blocks
    // still in use stays counted: a stage's backdrop columns, decoded and
    // dropped as it scrolls, grew it by megabytes. A fixed threshold keeps
    // every large block mapped apart and returned the moment it is freed.
    static const bool fixed = ::mallopt(M_MMAP_THRESHOLD, kLargeBlock) == 1;
    (void)fixed;
    ::malloc_trim(0);
#endif
}

}  // namespace veru::platform
