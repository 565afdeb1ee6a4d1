#pragma once
// How many bytes of the heap the program holds right now: what it allocated
// and has not freed yet. Unlike the resident memory, this does not count
// freed memory that the allocator keeps for later (its pools, or a memory
// checker's quarantine of freed blocks), so a leak shows in it at once and
// nothing else does.
//
// Thread: any thread; the figure is a snapshot and may be stale by the time
// it is read while other threads allocate.

#include <cstdint>

namespace veru::platform {

// Bytes allocated and not yet freed, or -1 where the allocator cannot say.
std::int64_t heapBytesInUse();

// Hands the heap's free pages back to the system (where the allocator can),
// so that memory a scene switch freed does not stay counted as the game's.
// From its first call on, large blocks (128 KB and more: pictures, pixel
// buffers) are mapped apart and go back to the system as soon as they are
// freed, so that pictures loaded and dropped while playing do not leave the
// heap larger. Costs a walk over the heap: call it at a switch, never every
// frame.
void returnFreeHeap();

}  // namespace veru::platform
