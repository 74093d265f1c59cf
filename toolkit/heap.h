#pragma once
#include <cstddef>

// The toolkit's blocks, arrays and pools all come from these three functions so
// that a test can swap in an allocator that fails and watch the null/false paths.
struct SHeapFunctions {
    void* (*allocate)(size_t bytes);
    void* (*resize)(void* block, size_t bytes);
    void (*release)(void* block);
};

extern SHeapFunctions g_toolkitHeap;

inline void* HeapAllocate(size_t bytes) { return g_toolkitHeap.allocate(bytes); }
inline void* HeapResize(void* block, size_t bytes) { return g_toolkitHeap.resize(block, bytes); }
inline void HeapRelease(void* block) { g_toolkitHeap.release(block); }
