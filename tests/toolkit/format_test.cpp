#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/failing_heap.h"
#include "toolkit/format.h"

namespace {

std::wstring Str(const CWideString& text) { return text.Text() ? std::wstring(text.Text()) : L"<absent>"; }

TEST(Format, TheServersConversions) {
    const CWideString absent;
    const char latin[] = {'\xC3', '\xA9', 0};
    const struct {
        CWideString actual;
        const wchar_t* expected;
    } cases[] = {
        {Format(L"%.8X", 0xABC), L"00000ABC"},
        {Format(L"%.8X", -1), L"FFFFFFFF"},
        {Format(L"%.8X", 0x80000000u), L"80000000"},
        {Format(L"%.8X", 0x123456789ull), L"23456789"},
        {Format(L"\\u%.4x", 0xE9), L"\\u00e9"},
        {Format(L"%.4x", 0xD83D), L"d83d"},
        {Format(L"%i", -1), L"-1"},
        {Format(L"%i", 0), L"0"},
        {Format(L"%i", -2147483647 - 1), L"-2147483648"},
        {Format(L"%.4i-%.2i", 999, 7), L"0999-07"},
        {Format(L"%s", absent), L"(null)"},
        {Format(L"%S", static_cast<const char*>(nullptr)), L"(null)"},
        {Format(L"[%s|%S]", L"wide", "bytes"), L"[wide|bytes]"},
        {Format(L"%S", latin), L"\u00C3\u00A9"},
        {Format(L"100%% done"), L"100% done"},
        {Format(L"literal %q stays"), L"literal %q stays"},
        {Format(L"%i.%i.%i.%i", 1, 2, 3, 4), L"1.2.3.4"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, Str(c.actual));
}

TEST(Format, PointerPrintsEveryDigitWithoutPrefix) {
    const CWideString text = Format(L"%p", reinterpret_cast<const void*>(0x1A4));
    if (sizeof(void*) == 8)
        EXPECT_EQ(L"00000000000001A4", Str(text));
    else
        EXPECT_EQ(L"000001A4", Str(text));
}

TEST(Format, MeasuresThenAllocatesOnceAndLeavesLengthUncounted) {
    CHeapSpy spy;
    const CWideString text = Format(L"%s-%i", L"abc", 42);
    ASSERT_EQ(1u, spy.allocations.size());
    EXPECT_EQ(-1, text.StoredLength());
    EXPECT_EQ(6, text.GetLength());
    EXPECT_EQ(7, text.Capacity());
}

TEST(Format, BoundedFormattingReportsTheFullLengthAndNeverOverruns) {
    wchar_t buffer[8];
    for (wchar_t& unit : buffer) unit = L'#';
    const SFormatArg args[] = {SFormatArg(L"abcdefghij")};
    EXPECT_EQ(12, FormatInto(buffer, 6, L"<%s>", args, 1));
    EXPECT_EQ(L"<abcd", std::wstring(buffer));
    EXPECT_EQ(L'#', buffer[6]);
}

TEST(Format, ExhaustedMemoryGivesTheAbsentText) {
    CHeapSpy spy(0);
    EXPECT_TRUE(Format(L"%i", 5).IsAbsent());
}

}  // namespace
