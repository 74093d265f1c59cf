#include "tests/toolkit/failing_heap.h"

#include <cstdlib>

namespace {

CHeapSpy* g_spy = nullptr;

bool MayAllocate(size_t bytes) {
    if (g_spy->failAfter >= 0 && static_cast<int>(g_spy->allocations.size()) >= g_spy->failAfter) return false;
    g_spy->allocations.push_back(bytes);
    return true;
}

void* SpyAllocate(size_t bytes) { return MayAllocate(bytes) ? std::malloc(bytes) : nullptr; }
void* SpyResize(void* block, size_t bytes) { return MayAllocate(bytes) ? std::realloc(block, bytes) : nullptr; }
void SpyRelease(void* block) {
    if (block) ++g_spy->releases;
    std::free(block);
}

}  // namespace

CHeapSpy::CHeapSpy(int failAt) : failAfter(failAt), m_previous(g_toolkitHeap) {
    g_spy = this;
    g_toolkitHeap = {&SpyAllocate, &SpyResize, &SpyRelease};
}

CHeapSpy::~CHeapSpy() {
    g_toolkitHeap = m_previous;
    g_spy = nullptr;
}
