#include "toolkit/text_conversion.h"

#include <windows.h>

CWideString Utf8ToWide(const char* bytes) {
    CWideString text;
    if (!bytes) return text;
    const int32_t n = CNarrowString::CountUnits(bytes);
    wchar_t* buffer = text.Reserve(n + 1);
    if (!buffer) return text;
    // the terminator is converted with the text, so the result is terminated even
    // when ill-formed input shortens it
    if (MultiByteToWideChar(CP_UTF8, 0, bytes, n + 1, buffer, n + 1) == 0) buffer[0] = 0;
    return text;
}

CNarrowString WideToUtf8(const wchar_t* text) {
    CNarrowString bytes;
    if (!text) return bytes;
    const int32_t n = CWideString::CountUnits(text);
    char* buffer = bytes.Reserve(3 * (n + 1));
    if (!buffer) return bytes;
    if (WideCharToMultiByte(CP_UTF8, 0, text, n + 1, buffer, 3 * (n + 1), nullptr, nullptr) == 0) buffer[0] = 0;
    return bytes;
}

CWideString WidenBytes(const char* bytes) {
    CWideString text;
    if (!bytes) return text;
    const int32_t n = CNarrowString::CountUnits(bytes);
    wchar_t* buffer = text.Reserve(2 * n + 1);
    if (!buffer) return text;
    for (int32_t i = 0; i <= n; ++i) buffer[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
    return text;
}
