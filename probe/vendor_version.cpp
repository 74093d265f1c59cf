#include "probe/vendor_version.h"

#include "toolkit/format.h"

CWideString FormatVendorVersion(int32_t v) {
    if (v == 0) return CWideString::From(L"");
    if (v < 10) return Format(L"%i.0.0.0", v);
    if (v < 10000) return Format(L"%i.%i.%i.%i", v / 1000, v / 100 % 10, v / 10 % 10, v % 10);
    if (v < 0x10000) return Format(L"%i.%i.%i.%i", v / 10000, v / 1000 % 10, v / 100 % 10, v / 10 % 10);
    if (v < 0x650000) return Format(L"%i.%i.%i.%i", (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF, 0);
    return Format(L"%i.%i.%i.%i", v / 10000000, v / 100000 % 100, v / 1000 % 100, v % 1000);
}
