#pragma once
#include <windows.h>

#include "toolkit/shared_text.h"

// Reads the fixed file information of a module file's version resource.
bool ReadFileVersion(const wchar_t* path, VS_FIXEDFILEINFO& info);

// "a.b.c.d" from the product version, or from the file version when both
// product words are 0; the absent text when both are 0.
CWideString FormatFileVersion(const VS_FIXEDFILEINFO& info);
