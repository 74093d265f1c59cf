#include "server/log_channel.h"

#include "server/process_handles.h"
#include "toolkit/text_conversion.h"

namespace {

// Rewrites every line feed but a final one as backslash-n, so the message stays
// one line on the pipe.
CWideString KeepOnOneLine(const CWideString& message) {
    const int32_t length = message.GetLength();
    const wchar_t* text = message.Text();
    int32_t inner = 0;
    for (int32_t i = 0; i + 1 < length; ++i)
        if (text[i] == L'\n') ++inner;
    if (inner == 0) return message;
    CWideString escaped;
    wchar_t* out = escaped.Reserve(length + inner);
    if (!out) return message;
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == L'\n' && i + 1 < length) {
            *out++ = L'\\';
            *out++ = L'n';
        } else {
            *out++ = text[i];
        }
    }
    *out = 0;
    return escaped;
}

}  // namespace

void WriteLogLine(const char* tag, const wchar_t* format, const SFormatArg* args, int32_t argCount) {
    CNarrowString line = CNarrowString::From(tag);
    line.Insert(-1, ":");
    const CWideString message = KeepOnOneLine(FormatArgs(format, args, argCount));
    const CNarrowString utf8 = WideToUtf8(message.Text());
    line.Insert(-1, utf8.Text());
    // a host that closed or broke the pipe loses the line; the request loop then
    // notices at its next read
    DWORD written = 0;
    WriteFile(g_outputHandle, line.Text(), static_cast<DWORD>(line.GetLength()), &written, nullptr);
    FlushFileBuffers(g_outputHandle);
}
