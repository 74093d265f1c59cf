#pragma once
// Answers one request line of the host: the module at a path, optionally with
// ">" and a sub-plug-in id in hexadecimal.
#include <cstdint>

#include "server/plugin_info.h"
#include "server/request_line.h"
#include "toolkit/shared_text.h"

// Writes the whole answer: progress, an error line when the scan failed, and
// the report.
void HandleScanCommand(const CWideString& request);

// Loads (or reuses) the module, probes it and decides whether it stays loaded.
// False when the module did not load or the probe refused it; `error` says why.
bool ScanPlugin(const CWideString& request, CPluginInfo& info);
