#include "toolkit/format.h"

namespace {

// Collects output while counting every unit, written or not.
class CFormatSink {
public:
    CFormatSink(wchar_t* out, int32_t capacity) : m_out(out), m_capacity(capacity) {}
    void Put(wchar_t unit) {
        if (m_out && m_count + 1 < m_capacity) m_out[m_count] = unit;
        ++m_count;
    }
    void Finish() {
        if (!m_out || m_capacity <= 0) return;
        m_out[m_count < m_capacity ? m_count : m_capacity - 1] = 0;
    }
    int32_t Count() const { return m_count; }

private:
    wchar_t* m_out;
    int32_t m_capacity;
    int32_t m_count = 0;
};

void PutText(CFormatSink& sink, const wchar_t* text) {
    if (!text) text = L"(null)";
    while (*text) sink.Put(*text++);
}

void PutBytes(CFormatSink& sink, const char* text) {
    if (!text) {
        PutText(sink, nullptr);
        return;
    }
    // each byte becomes the code unit of the same value
    while (*text) sink.Put(static_cast<wchar_t>(static_cast<unsigned char>(*text++)));
}

void PutDigits(CFormatSink& sink, uint64_t value, unsigned base, bool upper, int32_t minDigits,
               bool negative) {
    wchar_t digits[24];
    int32_t count = 0;
    const wchar_t* alphabet = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    do {
        digits[count++] = alphabet[value % base];
        value /= base;
    } while (value != 0);
    if (negative) sink.Put(L'-');
    for (int32_t pad = count; pad < minDigits; ++pad) sink.Put(L'0');
    while (count > 0) sink.Put(digits[--count]);
}

}  // namespace

int32_t FormatInto(wchar_t* out, int32_t capacity, const wchar_t* format, const SFormatArg* args,
                   int32_t argCount) {
    CFormatSink sink(out, capacity);
    int32_t next = 0;
    const SFormatArg none;
    for (const wchar_t* p = format; p && *p; ++p) {
        if (*p != L'%') {
            sink.Put(*p);
            continue;
        }
        const wchar_t* start = p++;
        int32_t precision = -1;
        if (*p == L'.') {
            precision = 0;
            for (++p; *p >= L'0' && *p <= L'9'; ++p) precision = precision * 10 + (*p - L'0');
        }
        const SFormatArg& arg = next < argCount ? args[next] : none;
        switch (*p) {
            case L'%':
                sink.Put(L'%');
                continue;
            case L's':
                PutText(sink, arg.kind == SFormatArg::kWide ? arg.wide : nullptr);
                break;
            case L'S':
                PutBytes(sink, arg.kind == SFormatArg::kNarrow ? arg.narrow : nullptr);
                break;
            case L'i':
            case L'd': {
                const int32_t value = static_cast<int32_t>(arg.integer);
                const uint64_t magnitude = value < 0 ? 0ull - static_cast<int64_t>(value) : value;
                PutDigits(sink, magnitude, 10, false, precision, value < 0);
                break;
            }
            case L'x':
            case L'X':
                PutDigits(sink, static_cast<uint32_t>(arg.integer), 16, *p == L'X', precision, false);
                break;
            case L'p':
                // a pointer is always written with all its digits: 8 on x86, 16 on x64
                PutDigits(sink, reinterpret_cast<uintptr_t>(arg.kind == SFormatArg::kPointer ? arg.pointer : nullptr),
                          16, true, static_cast<int32_t>(2 * sizeof(void*)), false);
                break;
            default:
                // not a conversion this formatter knows: copy it as it stands
                for (const wchar_t* q = start; q <= p && *q; ++q) sink.Put(*q);
                if (!*p) --p;
                continue;
        }
        ++next;
    }
    sink.Finish();
    return sink.Count();
}

CWideString FormatArgs(const wchar_t* format, const SFormatArg* args, int32_t argCount) {
    int32_t measured = FormatInto(nullptr, 0, format, args, argCount);
    if (measured < 0) measured = -1;
    CWideString text;
    wchar_t* buffer = text.Reserve(measured + 1);
    if (!buffer) return CWideString();
    FormatInto(buffer, measured + 1, format, args, argCount);
    return text;
}
