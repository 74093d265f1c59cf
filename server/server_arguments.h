#pragma once
#include <cstdint>

#include "toolkit/shared_text.h"

// What the host tells the server on its command line: its two pipe ends, its
// window (by which the badge picks a monitor) and where crash dumps go.
struct SServerArguments {
    uint32_t inputHandle = 0;   // 0: no request loop, only the badge
    uint32_t outputHandle = 0;  // 0: the standard output handle
    uint32_t ownerWindow = 0;   // 0: the foreground window
    CWideString dumpFolder;     // empty: no dump is written
};

// Reads arguments 1 to 4 of an already split command line (entry 0 is the
// program); later entries are ignored.
SServerArguments ReadServerArguments(int argc, wchar_t** argv);
