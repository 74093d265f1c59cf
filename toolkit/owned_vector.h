#pragma once
// A growable array of elements. Under SOwnedPtr the vector owns the objects its
// pointer elements point to and deletes them when it is destroyed.
#include <cstdint>

#include "toolkit/heap.h"

struct SOwnedPtr {
    template <typename T>
    static void Destroy(T* element) {
        delete element;
    }
};

struct SValue {
    template <typename T>
    static void Destroy(const T&) {}
};

template <typename TElement, typename TPolicy, typename TArg>
class CVector {
public:
    CVector() = default;
    CVector(const CVector&) = delete;
    CVector& operator=(const CVector&) = delete;
    virtual ~CVector() {
        for (int32_t i = 0; i < m_count; ++i)
            if (m_items[i]) TPolicy::Destroy(m_items[i]);
        m_count = 0;
        HeapRelease(m_items);
    }

    // Appends at the end. Grows to the larger of 16 and twice the needed count.
    // False when memory is exhausted; the element is then not stored and still
    // belongs to the caller.
    bool Add(TArg element) {
        const int32_t needed = m_count + 1;
        if (needed > m_capacity) {
            const int32_t capacity = needed * 2 > 16 ? needed * 2 : 16;
            void* items = HeapResize(m_items, static_cast<size_t>(capacity) * sizeof(TElement));
            if (!items) return false;
            m_items = static_cast<TElement*>(items);
            m_capacity = capacity;
        }
        m_items[m_count++] = element;
        return true;
    }

    int32_t GetCount() const { return m_count; }
    int32_t GetCapacity() const { return m_capacity; }
    TElement& operator[](int32_t index) { return m_items[index]; }
    const TElement& operator[](int32_t index) const { return m_items[index]; }

private:
    int32_t m_count = 0;
    int32_t m_capacity = 0;
    TElement* m_items = nullptr;
};
