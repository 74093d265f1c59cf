#include <gtest/gtest.h>

#include <vector>

#include "toolkit/owned_vector.h"
#include "toolkit/shell_info.h"

namespace {

TEST(OwnedVector, GrowsTo16ThenDoublesTheNeededCount) {
    CVector<CShellInfo*, SOwnedPtr, CShellInfo*> list;
    EXPECT_EQ(0, list.GetCapacity());
    std::vector<int> capacities;
    for (int i = 1; i <= 35; ++i) {
        CShellInfo* shell = new CShellInfo;
        shell->id = i;
        ASSERT_TRUE(list.Add(shell));
        if (i == 1 || i == 16 || i == 17 || i == 34 || i == 35) capacities.push_back(list.GetCapacity());
    }
    EXPECT_EQ((std::vector<int>{16, 16, 34, 34, 70}), capacities);
    ASSERT_EQ(35, list.GetCount());
    for (int i = 0; i < 35; ++i) EXPECT_EQ(i + 1, list[i]->id);
}

TEST(OwnedVector, DestructionDeletesEachElementAndSkipsNullSlots) {
    const CWideString alpha = CWideString::From(L"Alpha");
    const CWideString beta = CWideString::From(L"Beta");
    {
        CVector<CShellInfo*, SOwnedPtr, CShellInfo*> list;
        CShellInfo* first = new CShellInfo;
        first->name = alpha;
        CShellInfo* second = new CShellInfo;
        second->name = beta;
        list.Add(first);
        list.Add(nullptr);
        list.Add(second);
        EXPECT_EQ(2, alpha.RefCount());
        EXPECT_EQ(2, beta.RefCount());
    }
    EXPECT_EQ(1, alpha.RefCount()) << "each owned element released its name";
    EXPECT_EQ(1, beta.RefCount());
}

TEST(ShellInfo, StartsWithIdZeroAndAnAbsentName) {
    CShellInfo shell;
    EXPECT_EQ(0, shell.id);
    EXPECT_TRUE(shell.name.IsAbsent());
}

}  // namespace
