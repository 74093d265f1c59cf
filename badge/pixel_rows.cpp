#include "badge/pixel_rows.h"

#include "badge/gdiplus_api.h"

#include <cstring>

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// Source rows carry no alignment promise beyond the stride, so values are read bytewise.
std::uint16_t Read16(const std::uint8_t* at) {
    std::uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint32_t Read32(const std::uint8_t* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint32_t Pack(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return kOpaque | red << 16 | green << 8 | blue;
}

// The 5- and 6-bit channels are widened by a plain shift, so full intensity
// becomes 248 or 252: the low bits stay zero.
std::uint32_t From565(std::uint16_t value) {
    return Pack((value >> 11 & 0x1F) << 3, (value >> 5 & 0x3F) << 2, (value & 0x1F) << 3);
}

std::uint32_t From555(std::uint16_t value) {
    return Pack((value >> 10 & 0x1F) << 3, (value >> 5 & 0x1F) << 3, (value & 0x1F) << 3);
}

std::uint32_t ScaleChannel(std::uint32_t pixel, int shift, std::uint32_t alpha) {
    return ((pixel >> shift & 0xFF) * alpha / 255) << shift;
}

}  // namespace

bool ConvertPixelRow(int pixelFormat, const std::uint8_t* source, std::uint32_t* target, int width) {
    switch (pixelFormat) {
    case PixelFormat32bppARGB:
        std::memcpy(target, source, static_cast<size_t>(width) * 4);
        return true;
    case PixelFormat32bppRGB:
        for (int x = 0; x < width; ++x) target[x] = Read32(source + x * 4) | kOpaque;
        return true;
    case PixelFormat24bppRGB:
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = source + x * 3;
            target[x] = Pack(pixel[2], pixel[1], pixel[0]);
        }
        return true;
    case PixelFormat16bppRGB565:
        for (int x = 0; x < width; ++x) target[x] = From565(Read16(source + x * 2));
        return true;
    case PixelFormat16bppRGB555:
        for (int x = 0; x < width; ++x) target[x] = From555(Read16(source + x * 2));
        return true;
    default:
        return false;
    }
}

void PremultiplyPixels(std::uint32_t* pixels, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint32_t pixel = pixels[i];
        const std::uint32_t alpha = pixel >> 24;
        pixels[i] = (alpha << 24) | ScaleChannel(pixel, 16, alpha) | ScaleChannel(pixel, 8, alpha) |
                    ScaleChannel(pixel, 0, alpha);
    }
}
