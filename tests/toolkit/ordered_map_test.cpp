#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "tests/toolkit/failing_heap.h"
#include "toolkit/ordered_map.h"

namespace {

using CIdSet = CMap<int, bool, SValue, SValue, int>;
using SNode = CIdSet::SNode;

// Checks every red-black rule and the links, and returns the black height.
int CheckSubtree(const CIdSet& map, const SNode* node, const SNode* parent, long long low, long long high) {
    if (node == map.Sentinel()) return 1;
    EXPECT_EQ(parent, node->parent);
    EXPECT_GT(node->key, low);
    EXPECT_LT(node->key, high);
    if (node->colour == CIdSet::kRed) {
        EXPECT_EQ(CIdSet::kBlack, node->left->colour) << "red node " << node->key << " has a red child";
        EXPECT_EQ(CIdSet::kBlack, node->right->colour) << "red node " << node->key << " has a red child";
    }
    const int left = CheckSubtree(map, node->left, node, low, node->key);
    const int right = CheckSubtree(map, node->right, node, node->key, high);
    EXPECT_EQ(left, right) << "black heights differ under " << node->key;
    return left + (node->colour == CIdSet::kBlack ? 1 : 0);
}

// Validates the tree and returns the keys along the neighbour list.
std::vector<int> CheckMap(const CIdSet& map) {
    const SNode* sentinel = map.Sentinel();
    EXPECT_EQ(sentinel, sentinel->left);
    EXPECT_EQ(sentinel, sentinel->right);
    EXPECT_EQ(nullptr, sentinel->parent);
    EXPECT_EQ(CIdSet::kBlack, sentinel->colour);
    if (map.Root() != sentinel) {
        EXPECT_EQ(CIdSet::kBlack, map.Root()->colour);
        CheckSubtree(map, map.Root(), nullptr, LLONG_MIN, LLONG_MAX);
    }
    std::vector<int> keys;
    const SNode* previous = nullptr;
    for (const SNode* node = map.First(); node; node = node->next) {
        EXPECT_EQ(previous, node->prev);
        keys.push_back(node->key);
        previous = node;
    }
    EXPECT_EQ(previous, map.Last());
    EXPECT_EQ(static_cast<int>(keys.size()), map.GetCount());
    return keys;
}

TEST(OrderedMap, StaysBalancedAndOrderedForSortedReversedAndRandomKeys) {
    std::vector<int> keys(1000);
    for (int i = 0; i < 1000; ++i) keys[i] = i * 7 - 3000;
    std::vector<int> reversed(keys.rbegin(), keys.rend());
    std::vector<int> shuffled = keys;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(42));
    for (const auto* order : {&keys, &reversed, &shuffled}) {
        CIdSet map;
        for (int key : *order) {
            ASSERT_FALSE(map.Lookup(key));
            ASSERT_TRUE(map.Set(key, true));
            ASSERT_TRUE(map.Lookup(key));
        }
        EXPECT_EQ(keys, CheckMap(map));
        EXPECT_FALSE(map.Lookup(1));
        EXPECT_EQ(1000, map.LiveNodes());
        EXPECT_EQ((1000 + 6) / 7, map.BlockCount());
    }
}

TEST(OrderedMap, KeysOrderAsSignedIntegers) {
    CIdSet map;
    for (int key : {5, 0, -1, INT_MIN, INT_MAX, 0x11})
        map.Set(key, true);
    EXPECT_EQ((std::vector<int>{INT_MIN, -1, 0, 5, 0x11, INT_MAX}), CheckMap(map));
}

TEST(OrderedMap, ThreeAscendingKeysRotateAroundTheMiddle) {
    CIdSet map;
    map.Set(1, true);
    map.Set(2, true);
    map.Set(3, true);
    const SNode* root = map.Root();
    EXPECT_EQ(2, root->key);
    EXPECT_EQ(CIdSet::kBlack, root->colour);
    EXPECT_EQ(1, root->left->key);
    EXPECT_EQ(CIdSet::kRed, root->left->colour);
    EXPECT_EQ(3, root->right->key);
    EXPECT_EQ(CIdSet::kRed, root->right->colour);
    EXPECT_EQ(root->left, map.First());
    EXPECT_EQ(root->right, map.Last());
    EXPECT_EQ(root, map.First()->next);
}

TEST(OrderedMap, SettingAPresentKeyReplacesOnlyItsValue) {
    CIdSet map;
    map.Set(7, true);
    map.Set(9, true);
    const SNode* root = map.Root();
    map.Set(7, false);
    EXPECT_EQ(2, map.GetCount());
    EXPECT_EQ(2, map.LiveNodes());
    EXPECT_EQ(root, map.Root());
    EXPECT_FALSE(map.First()->value);
    CheckMap(map);
}

TEST(OrderedMap, NodesComeFromBlocksOfSevenFreedOnlyAsAWhole) {
    CHeapSpy spy;
    {
        CIdSet map;
        for (int key = 0; key < 8; ++key) map.Set(key, true);
        EXPECT_EQ(2, map.BlockCount());
        EXPECT_EQ(6, map.FreeNodes());
        EXPECT_EQ(2u, spy.allocations.size());
        EXPECT_EQ(0, spy.releases);
    }
    EXPECT_EQ(2, spy.releases);
    {
        CIdSet empty;
    }
    EXPECT_EQ(2, spy.releases) << "an empty map frees nothing";
}

TEST(OrderedMap, AFailedBlockAllocationLeavesTheMapUnchanged) {
    CIdSet map;
    for (int key = 0; key < 7; ++key) map.Set(key, true);
    CHeapSpy spy(0);
    EXPECT_FALSE(map.Set(100, true));
    EXPECT_FALSE(map.Lookup(100));
    EXPECT_EQ(7, map.GetCount());
    CheckMap(map);
}

}  // namespace
