#pragma once
// The module of the last request stays loaded, under the path it was loaded
// by, when it is a shell (its sub-plug-ins are asked for one request each) or
// when it was itself taken from the cache. Both are set and emptied together.
#include <windows.h>

#include "toolkit/shared_text.h"

extern HMODULE g_cachedModule;
extern CWideString g_cachedModulePath;

// Frees a held module with its two progress lines; nothing when none is held.
void FreeCachedModule();
