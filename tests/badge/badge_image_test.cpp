#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

#include "badge/badge_image.h"
#include "tests/badge/gdiplus_session.h"

namespace gdip = Gdiplus::DllExports;

namespace {

// An image made in memory by GDI+ over rows that we fill: the rows are padded to
// a stride wider than the pixels need, with a non-zero filler in the padding, so
// a conversion that steps by the pixel width instead of the stride reads garbage.
class CMemoryImage {
public:
    // `pixels` holds width x height source values, top row first; each is stored
    // in its low `bytesPerPixel` bytes, little-endian.
    CMemoryImage(int format, int bytesPerPixel, int width, int height, const std::vector<std::uint64_t>& pixels,
                 bool bottomUp = false) {
        const int stride = (width * bytesPerPixel + 3) / 4 * 4 + 4;
        m_rows.assign(static_cast<size_t>(stride) * height, 0xEE);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint64_t value = pixels[static_cast<size_t>(y) * width + x];
                std::memcpy(&m_rows[static_cast<size_t>(y) * stride + x * bytesPerPixel], &value, bytesPerPixel);
            }
        // A negative stride makes GDI+ read the rows from the last one upwards.
        BYTE* first = m_rows.data();
        int signedStride = stride;
        if (bottomUp) {
            std::vector<BYTE> flipped(m_rows.size());
            for (int y = 0; y < height; ++y)
                std::memcpy(&flipped[static_cast<size_t>(height - 1 - y) * stride],
                            &m_rows[static_cast<size_t>(y) * stride], stride);
            m_rows.swap(flipped);
            first = m_rows.data() + static_cast<size_t>(height - 1) * stride;
            signedStride = -stride;
        }
        m_status = gdip::GdipCreateBitmapFromScan0(width, height, signedStride, format, first, &m_image);
    }
    ~CMemoryImage() {
        if (m_image) gdip::GdipDisposeImage(m_image);
    }
    CMemoryImage(const CMemoryImage&) = delete;
    CMemoryImage& operator=(const CMemoryImage&) = delete;

    Gdiplus::GpBitmap* Get() const { return m_image; }
    Gdiplus::GpStatus Status() const { return m_status; }

private:
    std::vector<BYTE> m_rows;
    Gdiplus::GpBitmap* m_image = nullptr;
    Gdiplus::GpStatus m_status = Gdiplus::GenericError;
};

struct SDib {
    DIBSECTION section{};
    bool described = false;

    explicit SDib(HBITMAP bitmap) {
        described = bitmap && GetObjectW(bitmap, sizeof section, &section) == sizeof section;
    }
    // the 32-bit value in memory row `row`, column `x`
    std::uint32_t At(int row, int x) const {
        return static_cast<const std::uint32_t*>(section.dsBm.bmBits)[row * section.dsBm.bmWidth + x];
    }
    // the pixel that the picture shows at (x, y), y counted from the top
    std::uint32_t Shown(int x, int y) const { return At(section.dsBm.bmHeight - 1 - y, x); }
};

class CDibHandle {
public:
    explicit CDibHandle(HBITMAP bitmap) : m_bitmap(bitmap) {}
    ~CDibHandle() {
        if (m_bitmap) DeleteObject(m_bitmap);
    }
    CDibHandle(const CDibHandle&) = delete;
    CDibHandle& operator=(const CDibHandle&) = delete;
    HBITMAP Get() const { return m_bitmap; }

private:
    HBITMAP m_bitmap;
};

class BadgeImage : public testing::Test {
protected:
    static void SetUpTestSuite() { s_gdiplus = new CGdiplusSession; }
    static void TearDownTestSuite() {
        delete s_gdiplus;
        s_gdiplus = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_gdiplus->IsStarted()); }

    static CGdiplusSession* s_gdiplus;
};
CGdiplusSession* BadgeImage::s_gdiplus = nullptr;

TEST(DescribeDibSection, IsAnUprightBottomUp32BitRgbHeader) {
    const BITMAPINFOHEADER header = DescribeDibSection(120, 90);
    EXPECT_EQ(40u, header.biSize);
    EXPECT_EQ(120, header.biWidth);
    EXPECT_EQ(90, header.biHeight);  // positive: bottom-up rows
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(32, header.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
    EXPECT_EQ(0u, header.biSizeImage);
    EXPECT_EQ(0, header.biXPelsPerMeter);
    EXPECT_EQ(0, header.biYPelsPerMeter);
    EXPECT_EQ(0u, header.biClrUsed);
    EXPECT_EQ(0u, header.biClrImportant);
}

// One case per format that the conversion knows: a 3 x 2 image, top row first,
// and the 0xAARRGGBB values it must show.
struct SConversionCase {
    const char* name;
    int format;
    int bytesPerPixel;
    std::vector<std::uint64_t> source;
    std::vector<std::uint32_t> shown;
};

TEST_F(BadgeImage, ConvertsEachKnownFormatUprightIntoArgb) {
    const SConversionCase cases[] = {
        {"32bppARGB: copied as it is, straight alpha kept", PixelFormat32bppARGB, 4,
         {0x80112233, 0x00FFFFFF, 0xFF000000, 0xB3000000, 0x01020304, 0xFFFFFFFF},
         {0x80112233, 0x00FFFFFF, 0xFF000000, 0xB3000000, 0x01020304, 0xFFFFFFFF}},
        {"32bppRGB: the unused byte becomes opaque alpha", PixelFormat32bppRGB, 4,
         {0x00123456, 0x7FABCDEF, 0xFF000000, 0x00000000, 0x12FFFFFF, 0x00010203},
         {0xFF123456, 0xFFABCDEF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF010203}},
        {"24bppRGB: bytes blue, green, red", PixelFormat24bppRGB, 3,
         {0x332211, 0xFFFFFF, 0x000000, 0x0000FF, 0x00FF00, 0xFF0000},
         {0xFF332211, 0xFFFFFFFF, 0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000}},
        {"16bppRGB565: widened by shifting", PixelFormat16bppRGB565, 2,
         {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x8421, 0x0000},
         {0xFFF8FCF8, 0xFFF80000, 0xFF00FC00, 0xFF0000F8, 0xFF808408, 0xFF000000}},
        {"16bppRGB555: widened by shifting, top bit ignored", PixelFormat16bppRGB555, 2,
         {0x7C00, 0x001F, 0x03E0, 0xFFFF, 0x8000, 0x4210},
         {0xFFF80000, 0xFF0000F8, 0xFF00F800, 0xFFF8F8F8, 0xFF000000, 0xFF808080}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool bottomUp : {false, true}) {
            SCOPED_TRACE(bottomUp ? "source rows stored bottom-up" : "source rows stored top-down");
            CMemoryImage image(c.format, c.bytesPerPixel, 3, 2, c.source, bottomUp);
            ASSERT_EQ(Gdiplus::Ok, image.Status());
            CDibHandle dib(BitmapToDibSection(image.Get()));
            SDib result(dib.Get());
            ASSERT_TRUE(result.described);
            EXPECT_EQ(3, result.section.dsBm.bmWidth);
            EXPECT_EQ(2, result.section.dsBm.bmHeight);
            EXPECT_EQ(32, result.section.dsBm.bmBitsPixel);
            EXPECT_EQ(12, result.section.dsBm.bmWidthBytes);
            EXPECT_GT(result.section.dsBmih.biHeight, 0);
            // memory row 0 is the bottom of the picture
            EXPECT_EQ(c.shown[3], result.At(0, 0));
            EXPECT_EQ(c.shown[0], result.At(1, 0));
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    EXPECT_EQ(c.shown[static_cast<size_t>(y) * 3 + x], result.Shown(x, y))
                        << std::hex << "at " << x << "," << y;
        }
    }
}

TEST_F(BadgeImage, FormatsItDoesNotKnowGiveAnAllZeroPictureOfTheRightSize) {
    struct SFormat {
        const char* name;
        int format;
        int bytesPerPixel;
    };
    const SFormat formats[] = {
        {"32bppPARGB", PixelFormat32bppPARGB, 4},     {"16bppARGB1555", PixelFormat16bppARGB1555, 2},
        {"8bppIndexed", PixelFormat8bppIndexed, 1},   {"48bppRGB", PixelFormat48bppRGB, 6},
        {"64bppARGB", PixelFormat64bppARGB, 8},
    };
    const std::vector<std::uint64_t> source(5 * 3, 0xFFFFFFFFFFFFFFFFull);
    for (const auto& f : formats) {
        SCOPED_TRACE(f.name);
        CMemoryImage image(f.format, f.bytesPerPixel, 5, 3, source);
        ASSERT_EQ(Gdiplus::Ok, image.Status());
        CDibHandle dib(BitmapToDibSection(image.Get()));
        SDib result(dib.Get());
        ASSERT_TRUE(result.described);
        EXPECT_EQ(5, result.section.dsBm.bmWidth);
        EXPECT_EQ(3, result.section.dsBm.bmHeight);
        for (int row = 0; row < 3; ++row)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(0u, result.At(row, x)) << "at " << x << ", row " << row;
    }
}

// The badge resource as GDI+ decodes it, without premultiplication.
class CDecodedResource {
public:
    explicit CDecodedResource(HMODULE module) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(kBadgeResourceId), kBadgeResourceType);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const DWORD size = found ? SizeofResource(module, found) : 0;
        if (!loaded || size == 0) return;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!block) return;
        std::memcpy(GlobalLock(block), LockResource(loaded), size);
        GlobalUnlock(block);
        if (FAILED(CreateStreamOnHGlobal(block, TRUE, &m_stream))) return;
        gdip::GdipCreateBitmapFromStream(m_stream, &m_image);
    }
    ~CDecodedResource() {
        if (m_image) gdip::GdipDisposeImage(m_image);
        if (m_stream) m_stream->Release();
    }
    CDecodedResource(const CDecodedResource&) = delete;
    CDecodedResource& operator=(const CDecodedResource&) = delete;
    Gdiplus::GpBitmap* Get() const { return m_image; }

private:
    IStream* m_stream = nullptr;
    Gdiplus::GpBitmap* m_image = nullptr;
};

std::uint32_t Alpha(std::uint32_t pixel) { return pixel >> 24; }
std::uint32_t Red(std::uint32_t pixel) { return pixel >> 16 & 0xFF; }
std::uint32_t Green(std::uint32_t pixel) { return pixel >> 8 & 0xFF; }
std::uint32_t Blue(std::uint32_t pixel) { return pixel & 0xFF; }

TEST_F(BadgeImage, TheModulesPictureDecodesAsStraightArgbOfTheBadgesSize) {
    CDecodedResource decoded(GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, decoded.Get());
    Gdiplus::PixelFormat format = 0;
    gdip::GdipGetImagePixelFormat(decoded.Get(), &format);
    EXPECT_EQ(PixelFormat32bppARGB, format);
    CDibHandle dib(BitmapToDibSection(decoded.Get()));
    SDib straight(dib.Get());
    ASSERT_TRUE(straight.described);
    EXPECT_EQ(120, straight.section.dsBm.bmWidth);
    EXPECT_EQ(120, straight.section.dsBm.bmHeight);
}

TEST_F(BadgeImage, LoadBadgeBitmapGivesThePicturePremultiplied) {
    CDibHandle loaded(LoadBadgeBitmap(GetModuleHandleW(nullptr)));
    SDib badge(loaded.Get());
    ASSERT_TRUE(badge.described);
    EXPECT_EQ(120, badge.section.dsBm.bmWidth);
    EXPECT_EQ(120, badge.section.dsBm.bmHeight);
    EXPECT_EQ(32, badge.section.dsBm.bmBitsPixel);
    EXPECT_EQ(120, badge.section.dsBmih.biHeight);

    // Every pixel is the straight one with its colour scaled by its alpha, truncated.
    CDecodedResource decoded(GetModuleHandleW(nullptr));
    CDibHandle straightDib(BitmapToDibSection(decoded.Get()));
    SDib straight(straightDib.Get());
    ASSERT_TRUE(straight.described);
    int edgePixels = 0;
    for (int row = 0; row < 120; ++row)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t in = straight.At(row, x);
            const std::uint32_t a = Alpha(in);
            const std::uint32_t expected = a << 24 | (Red(in) * a / 255) << 16 | (Green(in) * a / 255) << 8 |
                                           Blue(in) * a / 255;
            ASSERT_EQ(expected, badge.At(row, x)) << std::hex << "straight 0x" << in << " at " << x << ", row " << row;
            if (a > 0 && a < 255 && Red(in) > 0) ++edgePixels;
        }
    EXPECT_GT(edgePixels, 0) << "anti-aliased edges whose colour is scaled";

    // What the picture shows, top row first.
    EXPECT_EQ(0x00000000u, badge.Shown(0, 0)) << "outside the rounded corner";
    EXPECT_EQ(0x00000000u, badge.Shown(119, 119)) << "outside the rounded corner";
    EXPECT_EQ(0xB3000000u, badge.Shown(60, 2)) << "the square is black at alpha 179";
    EXPECT_EQ(0xB3000000u, badge.Shown(2, 60));
    EXPECT_EQ(0xB3000000u, badge.Shown(117, 60));
    EXPECT_EQ(0xB3000000u, badge.Shown(60, 117));

    // The caption sits under the emblem; it is white and its full pixels opaque.
    int whiteAbove = 0;
    int whiteBelow = 0;
    int emblem = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t pixel = badge.Shown(x, y);
            if (pixel == 0xFFFFFFFFu) ++(y < 84 ? whiteAbove : whiteBelow);
            const bool coloured = Red(pixel) != Green(pixel) || Green(pixel) != Blue(pixel);
            if (y >= 84) {
                EXPECT_FALSE(coloured) << std::hex << "caption band: 0x" << pixel << " at " << x << "," << y;
            }
            if (y < 84 && coloured && Alpha(pixel) == 255) ++emblem;
        }
    EXPECT_EQ(0, whiteAbove);
    EXPECT_GT(whiteBelow, 40);
    EXPECT_GT(emblem, 400) << "a fully opaque coloured emblem in the upper part";
}

// A module next to the test executable, loaded for its resources only.
class CResourceModule {
public:
    explicit CResourceModule(const wchar_t* name) {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;
        wchar_t* folderEnd = wcsrchr(path, L'\\');
        if (!folderEnd || folderEnd + 1 + wcslen(name) >= path + MAX_PATH) return;
        wcscpy(folderEnd + 1, name);
        m_module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~CResourceModule() {
        if (m_module) FreeLibrary(m_module);
    }
    CResourceModule(const CResourceModule&) = delete;
    CResourceModule& operator=(const CResourceModule&) = delete;
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module = nullptr;
};

TEST_F(BadgeImage, WithoutAUsablePictureLoadBadgeBitmapGivesNone) {
    EXPECT_EQ(nullptr, LoadBadgeBitmap(GetModuleHandleW(L"kernel32.dll"))) << "no such resource";
    for (const wchar_t* name : {L"badge_undecodable_picture.dll", L"badge_empty_picture.dll"}) {
        CResourceModule module(name);
        ASSERT_NE(nullptr, module.Get()) << "test module missing";
        ASSERT_NE(nullptr, FindResourceW(module.Get(), MAKEINTRESOURCEW(kBadgeResourceId), kBadgeResourceType));
        EXPECT_EQ(nullptr, LoadBadgeBitmap(module.Get()));
    }
}

TEST_F(BadgeImage, AnImageThatCannotBeReadGivesNoSection) {
    // the size queries fail, so the section would have no pixels
    EXPECT_EQ(nullptr, BitmapToDibSection(nullptr));
}

}  // namespace
