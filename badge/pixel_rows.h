#pragma once
// The pixel arithmetic of the badge picture, on plain memory: turning one row of a
// decoded image into 32-bit 0xAARRGGBB values, and premultiplying those values by
// their alpha for a per-pixel-alpha layered window.
#include <cstdint>

// Converts `width` pixels of the GDI+ pixel format `pixelFormat` from `source` into
// `target`. Returns false and leaves `target` untouched for a format it does not
// handle (indexed, grey, 1555, premultiplied and the 48/64-bit formats among them).
bool ConvertPixelRow(int pixelFormat, const std::uint8_t* source, std::uint32_t* target, int width);

// Scales the colour channels of `count` pixels by their alpha, truncating:
// channel = channel * alpha / 255. Nothing happens for a count of 0 or less.
void PremultiplyPixels(std::uint32_t* pixels, int count);
