#pragma once
// An ordered map: a red-black tree whose nodes are also threaded, in key order,
// on a doubly linked list. Nodes come from a pool of blocks of 7 that is only
// returned to the heap block by block, so n insertions cost n/7 allocations.
// Keys are never removed one at a time; the map is destroyed as a whole.
#include <cstddef>
#include <cstdint>

#include "toolkit/heap.h"
#include "toolkit/owned_vector.h"

template <typename TKey, typename TValue, typename TKeyPolicy, typename TValuePolicy, typename TKeyArg>
class CMap {
public:
    static constexpr int32_t kNodesPerBlock = 7;
    enum EColour : uint8_t { kBlack = 0, kRed = 1 };

    struct SNode {
        TKey key;
        TValue value;
        SNode* parent;
        SNode* left;
        SNode* right;
        SNode* prev;
        SNode* next;
        uint8_t colour;
    };

    CMap() {
        m_sentinel.left = &m_sentinel;
        m_sentinel.right = &m_sentinel;
        m_sentinel.parent = nullptr;
        m_sentinel.colour = kBlack;
        m_root = &m_sentinel;
    }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    virtual ~CMap() {
        if (m_root != &m_sentinel) {
            ReleaseSubtree(m_root->left);
            ReleaseSubtree(m_root->right);
            ReleaseNode(m_root);
        }
        FreeBlocks();
    }

    bool Lookup(TKeyArg key) const {
        const SNode* node = m_root;
        while (node != &m_sentinel) {
            if (key > node->key)
                node = node->right;
            else if (key < node->key)
                node = node->left;
            else
                return true;
        }
        return false;
    }

    // Adds the key, or replaces the value of a present key. False only when a
    // new pool block cannot be allocated; the map is then unchanged.
    bool Set(TKeyArg key, const TValue& value) {
        SNode* parent = nullptr;
        bool goesRight = false;
        for (SNode* node = m_root; node != &m_sentinel;) {
            parent = node;
            if (key > node->key) {
                node = node->right;
                goesRight = true;
            } else if (key < node->key) {
                node = node->left;
                goesRight = false;
            } else {
                node->key = key;
                node->value = value;
                return true;
            }
        }
        SNode* node = TakeNode();
        if (!node) return false;
        node->key = key;
        node->value = value;
        node->parent = parent;
        node->left = &m_sentinel;
        node->right = &m_sentinel;
        node->colour = kRed;
        if (!parent) {
            m_root = node;
            node->prev = nullptr;
            node->next = nullptr;
        } else if (goesRight) {
            parent->right = node;
            node->prev = parent;
            node->next = parent->next;
        } else {
            parent->left = node;
            node->prev = parent->prev;
            node->next = parent;
        }
        if (node->prev) node->prev->next = node; else m_first = node;
        if (node->next) node->next->prev = node; else m_last = node;
        Rebalance(node);
        ++m_count;
        return true;
    }

    int32_t GetCount() const { return m_count; }

    // Introspection for tests of the tree's shape and the pool.
    const SNode* Root() const { return m_root; }
    const SNode* Sentinel() const { return &m_sentinel; }
    const SNode* First() const { return m_first; }
    const SNode* Last() const { return m_last; }
    int32_t LiveNodes() const { return m_liveNodes; }
    int32_t BlockCount() const {
        int32_t count = 0;
        for (SBlock* block = m_blocks; block; block = block->previous) ++count;
        return count;
    }
    int32_t FreeNodes() const {
        int32_t count = 0;
        for (SNode* node = m_freeList; node; node = FreeLink(node)) ++count;
        return count;
    }

private:
    struct SBlock {
        SBlock* previous;
        SNode nodes[kNodesPerBlock];
    };

    // A free node keeps the link to the next free node where its key would be.
    static SNode*& FreeLink(SNode* node) { return *reinterpret_cast<SNode**>(node); }
    static_assert(offsetof(SNode, parent) >= sizeof(void*), "a free node's key and value must hold a link");

    SNode* TakeNode() {
        if (!m_freeList) {
            SBlock* block = static_cast<SBlock*>(HeapAllocate(sizeof(SBlock)));
            if (!block) return nullptr;
            block->previous = m_blocks;
            m_blocks = block;
            for (int32_t i = 0; i < kNodesPerBlock; ++i)
                FreeLink(&block->nodes[i]) = i + 1 < kNodesPerBlock ? &block->nodes[i + 1] : nullptr;
            m_freeList = &block->nodes[0];
        }
        SNode* node = m_freeList;
        m_freeList = FreeLink(node);
        ++m_liveNodes;
        return node;
    }

    void ReleaseNode(SNode* node) {
        if (m_liveNodes == 1) {
            FreeBlocks();
            return;
        }
        FreeLink(node) = m_freeList;
        m_freeList = node;
        --m_liveNodes;
    }

    void ReleaseSubtree(SNode* node) {
        if (!node || node == &m_sentinel) return;
        ReleaseSubtree(node->left);
        ReleaseSubtree(node->right);
        ReleaseNode(node);
    }

    void FreeBlocks() {
        while (m_blocks) {
            SBlock* previous = m_blocks->previous;
            HeapRelease(m_blocks);
            m_blocks = previous;
        }
        m_freeList = nullptr;
        m_liveNodes = 0;
    }

    // The sentinel stands for every missing child, so a rotation may write its
    // parent link; it is kept null.
    void RotateLeft(SNode* node) {
        SNode* const sentinelParent = m_sentinel.parent;
        SNode* risen = node->right;
        node->right = risen->left;
        risen->left->parent = node;
        risen->parent = node->parent;
        if (!node->parent)
            m_root = risen;
        else if (node == node->parent->left)
            node->parent->left = risen;
        else
            node->parent->right = risen;
        risen->left = node;
        node->parent = risen;
        m_sentinel.parent = sentinelParent;
    }

    void RotateRight(SNode* node) {
        SNode* const sentinelParent = m_sentinel.parent;
        SNode* risen = node->left;
        node->left = risen->right;
        risen->right->parent = node;
        risen->parent = node->parent;
        if (!node->parent)
            m_root = risen;
        else if (node == node->parent->right)
            node->parent->right = risen;
        else
            node->parent->left = risen;
        risen->right = node;
        node->parent = risen;
        m_sentinel.parent = sentinelParent;
    }

    void Rebalance(SNode* node) {
        while (node != m_root && node->parent->colour == kRed) {
            SNode* parent = node->parent;
            SNode* grand = parent->parent;
            if (parent == grand->left) {
                SNode* uncle = grand->right;
                if (uncle->colour == kRed) {
                    parent->colour = kBlack;
                    uncle->colour = kBlack;
                    grand->colour = kRed;
                    node = grand;
                    continue;
                }
                if (node == parent->right) {
                    node = parent;
                    RotateLeft(node);
                }
                node->parent->colour = kBlack;
                node->parent->parent->colour = kRed;
                RotateRight(node->parent->parent);
            } else {
                SNode* uncle = grand->left;
                if (uncle->colour == kRed) {
                    parent->colour = kBlack;
                    uncle->colour = kBlack;
                    grand->colour = kRed;
                    node = grand;
                    continue;
                }
                if (node == parent->left) {
                    node = parent;
                    RotateRight(node);
                }
                node->parent->colour = kBlack;
                node->parent->parent->colour = kRed;
                RotateLeft(node->parent->parent);
            }
        }
        m_root->colour = kBlack;
    }

    SBlock* m_blocks = nullptr;
    SNode* m_freeList = nullptr;
    int32_t m_liveNodes = 0;
    SNode* m_root;
    SNode* m_first = nullptr;
    SNode* m_last = nullptr;
    SNode m_sentinel;
    int32_t m_count = 0;
};
