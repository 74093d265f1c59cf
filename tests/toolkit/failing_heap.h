#pragma once
#include <cstddef>
#include <vector>

#include "toolkit/heap.h"

// Replaces the toolkit's heap while it lives: records every allocation size and
// release, and fails allocations (and resizes) once `failAfter` of them passed.
class CHeapSpy {
public:
    explicit CHeapSpy(int failAfter = -1);
    ~CHeapSpy();

    std::vector<size_t> allocations;  // sizes asked of allocate and resize
    int releases = 0;                 // non-null blocks released
    int failAfter;

private:
    SHeapFunctions m_previous;
};
