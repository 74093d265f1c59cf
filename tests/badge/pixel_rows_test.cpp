#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "badge/pixel_rows.h"

namespace {

struct SPremultiplyCase {
    std::uint32_t straight;
    std::uint32_t premultiplied;
};

TEST(PremultiplyPixels, ScalesEachChannelByAlphaAndTruncates) {
    const SPremultiplyCase cases[] = {
        {0xFF123456u, 0xFF123456u},  // opaque: unchanged
        {0x00FFFFFFu, 0x00000000u},  // transparent: no colour left
        {0xB3FF14FFu, 0xB3B30EB3u},  // 179: 255 -> 179, 20 -> 14 (14.04)
        {0x80C901C9u, 0x80640064u},  // 128: 201 -> 100 (100.9 truncated, not rounded), 1 -> 0
        {0xB3000000u, 0xB3000000u},  // the badge's black stays black at 179
        {0x01FFFFFFu, 0x01010101u},
        {0xFE010203u, 0xFE000102u},  // 254: 1 -> 0, 2 -> 1, 3 -> 2
    };
    std::vector<std::uint32_t> pixels;
    for (const auto& c : cases) pixels.push_back(c.straight);
    PremultiplyPixels(pixels.data(), static_cast<int>(pixels.size()));
    for (size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(cases[i].premultiplied, pixels[i]) << std::hex << "straight 0x" << cases[i].straight;
}

TEST(PremultiplyPixels, TouchesExactlyTheCountedPixels) {
    std::uint32_t pixels[3] = {0x80FFFFFFu, 0x80FFFFFFu, 0x80FFFFFFu};
    PremultiplyPixels(pixels, 2);
    EXPECT_EQ(0x80808080u, pixels[0]);
    EXPECT_EQ(0x80808080u, pixels[1]);
    EXPECT_EQ(0x80FFFFFFu, pixels[2]);
    PremultiplyPixels(pixels + 2, 0);
    PremultiplyPixels(pixels + 2, -4);
    EXPECT_EQ(0x80FFFFFFu, pixels[2]);
}

}  // namespace
