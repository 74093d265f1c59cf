#pragma once
// Turns what became of one request into a list entry's status and reason.
#include <windows.h>

#include <string>
#include <vector>

#include "host/plugin_list.h"

namespace heliodrum {

// The server answered and prompted again.
void JudgeAnswer(const std::vector<std::string>& lines, SPluginEntry& entry);
// No prompt in time; the server was ended.
void JudgeTimeout(const std::vector<std::string>& lines, double timeoutSeconds, SPluginEntry& entry);
// The answer pipe broke: the server ended with `exitCode` (or could not be
// waited for) and may have left a dump.
void JudgeCrash(const std::vector<std::string>& lines, bool exited, DWORD exitCode, const std::wstring& dump,
                SPluginEntry& entry);

// The request line for a module or one of its sub-plug-ins, without its line
// feed; empty when the path is too long to be sent in one request.
std::string RequestLine(const std::wstring& path, bool isSubPlugin, uint32_t subId);

}  // namespace heliodrum
