#pragma once
// Reference-counted, copy-on-write text values. The value is one pointer that
// points straight at the characters, so it can be handed to any API taking a
// terminated string. In front of the characters sits a 12-byte header:
//   refCount, capacity (characters, terminator not counted), length (-1 = not
//   counted since the last write through a handed-out buffer).
// Reference counts are plain integers: a block must never cross threads.
#include <cstdint>
#include <cstring>

#include "toolkit/heap.h"

template <typename TChar>
class CSharedText {
public:
    CSharedText() = default;
    CSharedText(const CSharedText& other) : m_chars(other.m_chars) {
        if (m_chars) ++HeaderOf(m_chars)->refCount;
    }
    CSharedText& operator=(const CSharedText& other) {
        TChar* incoming = other.m_chars;
        if (incoming) ++HeaderOf(incoming)->refCount;  // before Release: self-assignment stays safe
        Release();
        m_chars = incoming;
        return *this;
    }
    ~CSharedText() { Release(); }

    void Release() {
        if (!m_chars) return;
        SHeader* header = HeaderOf(m_chars);
        if (header->refCount <= 1)
            HeapRelease(header);
        else
            --header->refCount;
        m_chars = nullptr;
    }

    // Null for the absent text.
    const TChar* Text() const { return m_chars; }
    bool IsAbsent() const { return m_chars == nullptr; }
    bool IsEmpty() const { return GetLength() == 0; }

    int32_t GetLength() const {
        if (!m_chars) return 0;
        SHeader* header = HeaderOf(m_chars);
        if (header->length < 0) {
            int32_t count = 0;
            while (m_chars[count] != 0) ++count;
            header->length = count;  // every sharer holds the same text, so storing is safe
        }
        return header->length;
    }

    // Replaces the value with a fresh block holding exactly `count` characters.
    void Assign(const TChar* text, int32_t count) {
        Release();
        TChar* chars = Reserve(count);
        if (!chars) return;
        if (count > 0) std::memcpy(chars, text, count * sizeof(TChar));
        chars[count] = 0;
        HeaderOf(chars)->length = count;
    }

    // Makes this value the sole owner of a block with room for at least n
    // characters and returns it for writing (null when memory is exhausted, the
    // value then unchanged). A negative n stands for the current length.
    TChar* Reserve(int32_t n) {
        if (n < 0) n = GetLength();
        if (!m_chars) {
            SHeader* header = AllocateBlock(n);
            if (!header) return nullptr;
            m_chars = CharsOf(header);
            m_chars[n] = 0;
            return m_chars;
        }
        SHeader* old = HeaderOf(m_chars);
        if (old->refCount > 1) {
            SHeader* header = AllocateBlock(n);
            if (!header) return nullptr;
            int32_t keep = old->capacity < n ? old->capacity : n;
            // the characters kept and the 4 bytes after them, which carry the terminator
            std::memcpy(CharsOf(header), m_chars, keep * sizeof(TChar) + kSpareBytes);
            CharsOf(header)[n] = 0;
            --old->refCount;
            m_chars = CharsOf(header);
            return m_chars;
        }
        if (n <= old->capacity) {
            old->length = -1;
            return m_chars;
        }
        SHeader* grown = static_cast<SHeader*>(HeapResize(old, BlockBytes(n)));
        if (!grown) return nullptr;
        grown->refCount = 1;
        grown->capacity = n;
        grown->length = -1;
        m_chars = CharsOf(grown);
        m_chars[n] = 0;
        return m_chars;
    }

    // Introspection for tests of the sharing and growth rules.
    int32_t RefCount() const { return m_chars ? HeaderOf(m_chars)->refCount : 0; }
    int32_t Capacity() const { return m_chars ? HeaderOf(m_chars)->capacity : 0; }
    int32_t StoredLength() const { return m_chars ? HeaderOf(m_chars)->length : 0; }

    static int32_t CountUnits(const TChar* text) {
        int32_t count = 0;
        if (text)
            while (text[count] != 0) ++count;
        return count;
    }

protected:
    // Inserts `count` characters of `text` before index `pos` (negative: at the
    // end). A negative count takes `text` up to its terminator.
    bool InsertUnits(int32_t pos, const TChar* text, int32_t count) {
        if (count < 0) count = CountUnits(text);
        if (count == 0) return true;
        const int32_t length = GetLength();
        if (pos < 0) pos = length;
        const int32_t needed = length + count;
        if (!m_chars || HeaderOf(m_chars)->refCount > 1) {
            if (!Reserve(needed)) return false;
        } else if (needed > HeaderOf(m_chars)->capacity) {
            const int32_t doubled = 2 * HeaderOf(m_chars)->capacity;
            if (!Reserve(needed > doubled ? needed : doubled)) return false;
            HeaderOf(m_chars)->length = length;
        }
        if (pos < length)
            std::memmove(m_chars + pos + count, m_chars + pos, (length - pos) * sizeof(TChar));
        std::memcpy(m_chars + pos, text, count * sizeof(TChar));
        m_chars[needed] = 0;
        HeaderOf(m_chars)->length = needed;
        return true;
    }

private:
    struct SHeader {
        int32_t refCount;
        int32_t capacity;
        int32_t length;
    };
    static_assert(sizeof(SHeader) == 12, "the block header is three 32-bit words");
    static constexpr size_t kSpareBytes = 4;  // terminator plus spare after the characters

    static size_t BlockBytes(int32_t capacity) {
        return sizeof(SHeader) + static_cast<size_t>(capacity) * sizeof(TChar) + kSpareBytes;
    }
    static SHeader* HeaderOf(TChar* chars) { return reinterpret_cast<SHeader*>(chars) - 1; }
    static TChar* CharsOf(SHeader* header) { return reinterpret_cast<TChar*>(header + 1); }
    static SHeader* AllocateBlock(int32_t capacity) {
        SHeader* header = static_cast<SHeader*>(HeapAllocate(BlockBytes(capacity)));
        if (!header) return nullptr;
        header->refCount = 1;
        header->capacity = capacity;
        header->length = -1;
        return header;
    }

    TChar* m_chars = nullptr;
};

// UTF-16 text, the server's own.
class CWideString : public CSharedText<wchar_t> {
public:
    CWideString() = default;
    // From a literal or any terminated UTF-16 text (null gives the absent text).
    static CWideString From(const wchar_t* text) {
        CWideString value;
        if (text) value.Assign(text, CountUnits(text));
        return value;
    }
    bool Insert(int32_t pos, const wchar_t* text, int32_t count) { return InsertUnits(pos, text, count); }
    bool Equals(const CWideString& other) const {
        const int32_t length = GetLength();
        if (length != other.GetLength()) return false;
        return length == 0 || std::memcmp(Text(), other.Text(), length * sizeof(wchar_t)) == 0;
    }
};

// 8-bit text: UTF-8 on its way to the pipe, or the bytes a plug-in wrote.
class CNarrowString : public CSharedText<char> {
public:
    CNarrowString() = default;
    static CNarrowString From(const char* text) {
        CNarrowString value;
        if (text) value.Assign(text, CountUnits(text));
        return value;
    }
    bool Insert(int32_t pos, const char* text) { return InsertUnits(pos, text, -1); }
};
