#include "probe/plugin_strings.h"

#include "toolkit/text_conversion.h"

namespace {

CWideString WidenBoundedBytes(const char* bytes, int32_t limit) {
    int32_t length = 0;
    while (length < limit && bytes[length] != 0) ++length;
    CWideString text;
    wchar_t* out = text.Reserve(length);
    if (!out) return text;
    for (int32_t i = 0; i < length; ++i) out[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
    out[length] = 0;
    return text;
}

}  // namespace

CWideString QueryPluginString(AEffect* effect, int32_t opcode) {
    char buffer[kPluginStringBytes];
    buffer[0] = 0;
    // the answer carries nothing: some plug-ins answer 0 after writing their text
    effect->dispatcher(effect, opcode, 0, 0, buffer, 0.0f);
    return WidenBoundedBytes(buffer, kPluginStringBytes);
}

CWideString WidenPluginString(const char* text) { return WidenBytes(text); }
