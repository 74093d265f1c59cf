#pragma once
// Conversions between byte text and UTF-16 text. A null source gives the absent
// text; each result's length is counted lazily.
#include "toolkit/shared_text.h"

CWideString Utf8ToWide(const char* bytes);
CNarrowString WideToUtf8(const wchar_t* text);
// Each byte becomes the code unit of the same value (ISO-8859-1), whatever the
// locale: this is how plug-in texts and the host's own 8-bit names are read.
CWideString WidenBytes(const char* bytes);
