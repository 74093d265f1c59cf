#include <gtest/gtest.h>

#include <string>

#include "toolkit/text_conversion.h"

namespace {

TEST(TextConversion, Utf8ToWideDecodesAndWidenBytesDoesNot) {
    const char euro[] = "\xE2\x82\xAC";
    const CWideString decoded = Utf8ToWide(euro);
    EXPECT_EQ(-1, decoded.StoredLength());
    EXPECT_EQ(std::wstring(L"\u20AC"), decoded.Text());

    const CWideString widened = WidenBytes(euro);
    EXPECT_EQ(std::wstring(L"\u00E2\u0082\u00AC"), widened.Text());
    EXPECT_EQ(7, widened.Capacity()) << "room for two units per byte plus one";

    const char high[] = "\x80\xFF";
    EXPECT_EQ(std::wstring(L"\u0080\u00FF"), WidenBytes(high).Text());
}

TEST(TextConversion, WideToUtf8) {
    EXPECT_EQ(std::string("\xC3\xA9"), WideToUtf8(L"\u00E9").Text());
    EXPECT_EQ(std::string("\xF0\x9F\x98\x80"), WideToUtf8(L"\xD83D\xDE00").Text());
    const CNarrowString ascii = WideToUtf8(L"abc");
    EXPECT_EQ(12, ascii.Capacity()) << "three bytes per unit, terminator included";
    EXPECT_EQ(3, ascii.GetLength());
}

TEST(TextConversion, NullGivesAbsentAndEmptyGivesEmpty) {
    EXPECT_TRUE(Utf8ToWide(nullptr).IsAbsent());
    EXPECT_TRUE(WideToUtf8(nullptr).IsAbsent());
    EXPECT_TRUE(WidenBytes(nullptr).IsAbsent());
    const CWideString empty = Utf8ToWide("");
    EXPECT_FALSE(empty.IsAbsent());
    EXPECT_EQ(0, empty.GetLength());
}

}  // namespace
