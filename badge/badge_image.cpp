#include "badge/badge_image.h"

#include <cstdint>
#include <cstring>

#include "badge/pixel_rows.h"

namespace gdip = Gdiplus::DllExports;

namespace {

// Copies the resource into a movable global block, the only memory that
// CreateStreamOnHGlobal takes. Null when the block cannot be had.
HGLOBAL CopyToGlobalMemory(const void* bytes, DWORD size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(block);
    return block;
}

// A stream that owns `block` and frees it with its last reference. Null on
// failure, when the block is freed here since no stream took it over.
IStream* StreamOverGlobalMemory(HGLOBAL block) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}

IStream* OpenBadgeResource(HINSTANCE module) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(kBadgeResourceId), kBadgeResourceType);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    if (!loaded) return nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (size == 0) return nullptr;
    const void* bytes = LockResource(loaded);
    if (!bytes) return nullptr;
    HGLOBAL block = CopyToGlobalMemory(bytes, size);
    if (!block) return nullptr;
    return StreamOverGlobalMemory(block);
}

// Premultiplies the pixels of a DIB section in place. A section that cannot be
// described is left as it is.
void PremultiplyDibSection(HBITMAP bitmap) {
    DIBSECTION section{};
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section) return;
    if (!section.dsBm.bmBits) return;
    const int count = section.dsBm.bmWidthBytes * section.dsBm.bmHeight / 4;
    PremultiplyPixels(static_cast<std::uint32_t*>(section.dsBm.bmBits), count);
}

}  // namespace

BITMAPINFOHEADER DescribeDibSection(LONG width, LONG height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

HBITMAP BitmapToDibSection(Gdiplus::GpBitmap* image) {
    // Failed queries leave 0, and a DIB section of no size is not created.
    Gdiplus::PixelFormat format = 0;
    UINT width = 0;
    UINT height = 0;
    gdip::GdipGetImagePixelFormat(image, &format);
    gdip::GdipGetImageWidth(image, &width);
    gdip::GdipGetImageHeight(image, &height);

    BITMAPINFO info{};
    info.bmiHeader = DescribeDibSection(static_cast<LONG>(width), static_cast<LONG>(height));
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section) DeleteObject(section);
        return nullptr;
    }
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::memset(pixels, 0, static_cast<size_t>(width) * height * 4);

    // Read in the image's own format, so GDI+ hands over its pixels unconverted.
    const Gdiplus::GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData locked{};
    if (gdip::GdipBitmapLockBits(image, &whole, Gdiplus::ImageLockModeRead, format, &locked) !=
        Gdiplus::Ok) {
        DeleteObject(section);
        return nullptr;
    }
    const auto* firstRow = static_cast<const std::uint8_t*>(locked.Scan0);
    for (UINT y = 0; y < height; ++y) {
        // the stride is signed: a bottom-up source has a negative one
        const std::uint8_t* source = firstRow + static_cast<INT_PTR>(y) * locked.Stride;
        std::uint32_t* target = pixels + static_cast<size_t>(height - 1 - y) * width;
        ConvertPixelRow(static_cast<int>(format), source, target, static_cast<int>(width));
    }
    gdip::GdipBitmapUnlockBits(image, &locked);
    return section;
}

HBITMAP LoadBadgeBitmap(HINSTANCE module) {
    IStream* stream = OpenBadgeResource(module);
    if (!stream) return nullptr;
    Gdiplus::GpBitmap* image = nullptr;
    HBITMAP section = nullptr;
    if (gdip::GdipCreateBitmapFromStream(stream, &image) == Gdiplus::Ok)
        section = BitmapToDibSection(image);
    if (section) PremultiplyDibSection(section);
    // the DIB section holds its own copy of the pixels and outlives both
    stream->Release();
    if (image) gdip::GdipDisposeImage(image);
    return section;
}
