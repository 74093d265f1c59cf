#pragma once
// GDI+ as MinGW-w64 declares it. Its C++ half needs the COM declarations (PROPID,
// IStream) that WIN32_LEAN_AND_MEAN leaves out of <windows.h>, so they come first.
// The flat functions live in Gdiplus::DllExports.
#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>
