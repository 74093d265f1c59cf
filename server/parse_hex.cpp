#include "server/parse_hex.h"

namespace {

int HexDigitValue(wchar_t unit) {
    if (unit >= L'0' && unit <= L'9') return unit - L'0';
    if (unit >= L'a' && unit <= L'f') return unit - L'a' + 10;
    if (unit >= L'A' && unit <= L'F') return unit - L'A' + 10;
    return -1;
}

}  // namespace

const wchar_t* ParseHex(const wchar_t* text, uint32_t& value) {
    if (!text) return nullptr;
    uint32_t result = 0;
    const wchar_t* p = text;
    for (int digit; (digit = HexDigitValue(*p)) >= 0; ++p) result = result * 16 + static_cast<uint32_t>(digit);
    value = result;
    return p == text ? nullptr : p;
}
