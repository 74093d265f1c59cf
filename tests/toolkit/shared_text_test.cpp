#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/failing_heap.h"
#include "toolkit/shared_text.h"

namespace {

std::wstring Str(const CWideString& text) { return text.Text() ? std::wstring(text.Text()) : L"<absent>"; }

CWideString SoleOwned(const wchar_t* text, int capacity) {
    CWideString value;
    wchar_t* chars = value.Reserve(capacity);
    wcscpy(chars, text);
    return value;
}

TEST(SharedText, CopySharesUntilOneHolderWrites) {
    CWideString first = CWideString::From(L"abc");
    CWideString copy = first;
    EXPECT_EQ(first.Text(), copy.Text());
    EXPECT_EQ(2, first.RefCount());

    ASSERT_TRUE(copy.Insert(-1, L"de", 2));
    EXPECT_EQ(L"abc", Str(first));
    EXPECT_EQ(L"abcde", Str(copy));
    EXPECT_EQ(1, first.RefCount());
    EXPECT_EQ(1, copy.RefCount());
    EXPECT_EQ(5, copy.Capacity()) << "a block made for a shared text is sized exactly";
}

TEST(SharedText, AssignmentReleasesTheOldBlockAndSurvivesSelfAssignment) {
    CWideString a = CWideString::From(L"one");
    CWideString b = CWideString::From(L"two");
    CWideString keep = b;
    b = a;
    EXPECT_EQ(1, keep.RefCount());
    EXPECT_EQ(2, a.RefCount());
    b = b;
    EXPECT_EQ(L"one", Str(b));
    EXPECT_EQ(2, a.RefCount());
}

TEST(SharedText, SoleOwnerGrowsByDoubling) {
    CWideString ten = SoleOwned(L"0123456789", 10);
    ASSERT_TRUE(ten.Insert(-1, L"x", 1));
    EXPECT_EQ(20, ten.Capacity());
    EXPECT_EQ(11, ten.GetLength());

    CWideString other = SoleOwned(L"0123456789", 10);
    ASSERT_TRUE(other.Insert(-1, L"abcdefghijklmnopqrstuvwxy", 25));
    EXPECT_EQ(35, other.Capacity());
    EXPECT_EQ(L"0123456789abcdefghijklmnopqrstuvwxy", Str(other));

    CWideString roomy = SoleOwned(L"ab", 10);
    const wchar_t* before = roomy.Text();
    ASSERT_TRUE(roomy.Insert(1, L"Z", 1));
    EXPECT_EQ(before, roomy.Text()) << "inserting within capacity keeps the block";
    EXPECT_EQ(10, roomy.Capacity());
}

TEST(SharedText, InsertPositions) {
    struct {
        int pos;
        const wchar_t* expected;
    } cases[] = {{0, L"XYabc"}, {1, L"aXYbc"}, {3, L"abcXY"}, {-1, L"abcXY"}, {-7, L"abcXY"}};
    for (const auto& c : cases) {
        CWideString text = CWideString::From(L"abc");
        ASSERT_TRUE(text.Insert(c.pos, L"XYZ", 2));
        EXPECT_EQ(c.expected, Str(text)) << "position " << c.pos;
        EXPECT_EQ(5, text.StoredLength());
    }
}

TEST(SharedText, InsertCountRules) {
    CWideString absent;
    EXPECT_TRUE(absent.Insert(0, L"abc", 0));
    EXPECT_TRUE(absent.IsAbsent());
    EXPECT_TRUE(absent.Insert(-1, nullptr, -1));
    EXPECT_TRUE(absent.IsAbsent());
    ASSERT_TRUE(absent.Insert(-1, L"whole", -1));
    EXPECT_EQ(L"whole", Str(absent));

    CNarrowString narrow;
    ASSERT_TRUE(narrow.Insert(0, "info"));
    ASSERT_TRUE(narrow.Insert(-1, ":"));
    ASSERT_TRUE(narrow.Insert(-1, nullptr));
    EXPECT_STREQ("info:", narrow.Text());
}

TEST(SharedText, LengthIsCountedLazilyOnceAfterAWrite) {
    CHeapSpy spy;
    CWideString text;
    wchar_t* chars = text.Reserve(5);
    ASSERT_NE(nullptr, chars);
    ASSERT_EQ(1u, spy.allocations.size());
    EXPECT_EQ(26u, spy.allocations[0]) << "12 header bytes, 5 units, 4 bytes for terminator and spare";
    EXPECT_EQ(5, text.Capacity());
    EXPECT_EQ(0, chars[5]) << "a terminator always follows the capacity";
    EXPECT_EQ(-1, text.StoredLength());

    chars[0] = L'h';
    chars[1] = L'i';
    chars[2] = 0;
    CWideString shared = text;
    EXPECT_EQ(2, shared.GetLength());
    EXPECT_EQ(2, text.StoredLength()) << "the count is kept in the shared header";

    for (int i = 0; i < 5; ++i) chars[i] = L'z';
    text.Reserve(5);  // a handed-out buffer may have been written: forget the count
    EXPECT_EQ(-1, text.StoredLength());
    EXPECT_EQ(5, text.GetLength()) << "counting stops at the terminator after the capacity";
}

TEST(SharedText, AbsentAndEmptyBothCountAsEmpty) {
    CWideString absent;
    CWideString empty;
    empty.Assign(L"", 0);
    EXPECT_TRUE(absent.IsEmpty());
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(absent.IsAbsent());
    EXPECT_FALSE(empty.IsAbsent());
    EXPECT_TRUE(absent.Equals(empty));
}

TEST(SharedText, ExhaustedMemoryLeavesTheTextAsItWas) {
    CWideString absent;
    CWideString shared = CWideString::From(L"abc");
    CWideString sharer = shared;
    CWideString full = SoleOwned(L"abcd", 4);
    CWideString assigned = CWideString::From(L"old");
    {
        CHeapSpy spy(0);
        EXPECT_EQ(nullptr, absent.Reserve(3));
        EXPECT_TRUE(absent.IsAbsent());
        EXPECT_FALSE(absent.Insert(-1, L"x", 1));
        EXPECT_TRUE(absent.IsAbsent());
        EXPECT_FALSE(shared.Insert(0, L"x", 1));
        EXPECT_EQ(L"abc", Str(shared));
        EXPECT_EQ(2, shared.RefCount());
        EXPECT_FALSE(full.Insert(-1, L"x", 1));
        EXPECT_EQ(L"abcd", Str(full));
        EXPECT_EQ(4, full.GetLength());
        assigned.Assign(L"new", 3);
        EXPECT_TRUE(assigned.IsAbsent());
    }
}

}  // namespace
