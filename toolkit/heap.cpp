#include "toolkit/heap.h"

#include <cstdlib>

SHeapFunctions g_toolkitHeap = {&std::malloc, &std::realloc, &std::free};
