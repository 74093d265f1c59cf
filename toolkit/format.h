#pragma once
// The server's one formatter. Format strings are UTF-16; %s takes UTF-16 text and
// %S 8-bit text (the reverse of the C runtime's wide convention, and independent
// of which stdio flavour the runtime picks). Supported: %s %S %i/%d %x %X %p %%,
// with an optional ".N" precision on the integer conversions (zero-filled to at
// least N digits). An absent text prints as "(null)".
#include <cstdint>

#include "toolkit/shared_text.h"

struct SFormatArg {
    enum EKind { kNone, kWide, kNarrow, kInteger, kPointer };
    EKind kind;
    union {
        const wchar_t* wide;
        const char* narrow;
        int64_t integer;
        const void* pointer;
    };

    SFormatArg() : kind(kNone), integer(0) {}
    SFormatArg(const wchar_t* text) : kind(kWide), wide(text) {}
    SFormatArg(const char* text) : kind(kNarrow), narrow(text) {}
    SFormatArg(const CWideString& text) : kind(kWide), wide(text.Text()) {}
    SFormatArg(const CNarrowString& text) : kind(kNarrow), narrow(text.Text()) {}
    SFormatArg(int value) : kind(kInteger), integer(value) {}
    SFormatArg(unsigned value) : kind(kInteger), integer(value) {}
    SFormatArg(long value) : kind(kInteger), integer(value) {}
    SFormatArg(unsigned long value) : kind(kInteger), integer(value) {}
    SFormatArg(long long value) : kind(kInteger), integer(value) {}
    SFormatArg(unsigned long long value) : kind(kInteger), integer(static_cast<int64_t>(value)) {}
    SFormatArg(const void* value) : kind(kPointer), pointer(value) {}
};

// Formats into `out` (at most capacity - 1 units and a terminator) and returns
// the number of units the whole text needs, terminator excluded. With a null
// `out` it only measures. Makes no heap allocation, so a crash handler may use it.
int32_t FormatInto(wchar_t* out, int32_t capacity, const wchar_t* format, const SFormatArg* args,
                   int32_t argCount);

// Measures, reserves exactly once, then writes.
CWideString FormatArgs(const wchar_t* format, const SFormatArg* args, int32_t argCount);

template <typename... TArgs>
CWideString Format(const wchar_t* format, const TArgs&... args) {
    const SFormatArg list[] = {SFormatArg(args)..., SFormatArg()};
    return FormatArgs(format, list, static_cast<int32_t>(sizeof...(TArgs)));
}
