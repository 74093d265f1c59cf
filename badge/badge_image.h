#pragma once
// The badge picture: the PNG resource of the server's own module, decoded by GDI+
// into an upright 32-bit DIB section with premultiplied alpha, the form that a
// per-pixel-alpha layered window takes. GDI+ must be started by the caller.
#include "badge/gdiplus_api.h"

constexpr int kBadgeResourceId = 101;
constexpr const wchar_t* kBadgeResourceType = L"PNG";

// The header of the DIB sections made here: 32 bits per pixel, BI_RGB, positive
// height, so rows are stored bottom-up.
BITMAPINFOHEADER DescribeDibSection(LONG width, LONG height);

// Copies a decoded image into a new upright 32-bit DIB section that the caller
// owns; the image is only read. Pixel formats that the conversion does not know
// leave their rows zero (fully transparent). Null when the DIB section cannot be
// created (a width or height of 0 among the causes) or the bits cannot be read.
HBITMAP BitmapToDibSection(Gdiplus::GpBitmap* image);

// Decodes the badge resource (type "PNG", id 101) of `module` and premultiplies
// it. Null on any failure; the caller owns the result.
HBITMAP LoadBadgeBitmap(HINSTANCE module);
