#pragma once
// Every line the server sends, apart from the prompt, is a tag, a colon and a
// formatted message in UTF-8, written in one WriteFile and flushed at once so
// the host sees progress, callback traffic and report in the order they happen.
// One call gives exactly one line: a line feed inside the message (a plug-in's
// name, say) is sent as backslash-n, so no plug-in text can fake a line or the
// prompt. The channel keeps no state and may be called from any thread.
#include <cstdint>

#include "toolkit/format.h"

void WriteLogLine(const char* tag, const wchar_t* format, const SFormatArg* args, int32_t argCount);

namespace log_detail {
template <typename... TArgs>
void Write(const char* tag, const wchar_t* format, const TArgs&... args) {
    const SFormatArg list[] = {SFormatArg(args)..., SFormatArg()};
    WriteLogLine(tag, format, list, static_cast<int32_t>(sizeof...(TArgs)));
}
}  // namespace log_detail

template <typename... TArgs>
void LogError(const wchar_t* format, const TArgs&... args) { log_detail::Write("error", format, args...); }
template <typename... TArgs>
void LogWarning(const wchar_t* format, const TArgs&... args) { log_detail::Write("warn", format, args...); }
template <typename... TArgs>
void LogInfo(const wchar_t* format, const TArgs&... args) { log_detail::Write("info", format, args...); }
template <typename... TArgs>
void LogResult(const wchar_t* format, const TArgs&... args) { log_detail::Write(">", format, args...); }
