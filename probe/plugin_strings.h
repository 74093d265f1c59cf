#pragma once
// Texts that plug-ins hand over as bytes. They are read as ISO-8859-1: each
// byte becomes the UTF-16 code unit of the same value, whatever the locale.
#include <cstdint>

#include "probe/vst_interface.h"
#include "toolkit/shared_text.h"

// The room a plug-in gets for a string answer.
constexpr int32_t kPluginStringBytes = 512;

// Asks the plug-in for one text (effGetEffectName, effGetVendorString, ...)
// through a fresh 512-byte buffer. A plug-in that writes nothing gives the
// empty text; one that fills the whole buffer without a NUL gets its text cut
// at 512 bytes, never read past the buffer.
CWideString QueryPluginString(AEffect* effect, int32_t opcode);

// The bytes up to the first NUL; null gives the absent text.
CWideString WidenPluginString(const char* text);
