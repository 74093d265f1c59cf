#pragma once
#include <cstdint>

#include "toolkit/shared_text.h"

// One sub-plug-in of a shell plug-in: the id it answered and its name.
struct CShellInfo {
    int32_t id = 0;
    CWideString name;
};
