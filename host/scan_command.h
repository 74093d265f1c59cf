#pragma once
// The whole scan a person or a host asks for: find the modules, decide what to
// scan, scan with the pool, merge and write the list, show the summary.
#include <string>
#include <vector>

#include "host/plugin_list.h"
#include "host/scan_options.h"
#include "host/scan_summary.h"

namespace heliodrum {

struct SScanRun {
    int exitCode = 0;  // 0 once the list is written, whatever the plug-ins did
    std::vector<SPluginEntry> scanned;
    std::vector<SPluginEntry> list;
    SSummaryFacts facts;
};

// Fills the defaults a command line left out: the servers next to the
// scanner, one job per processor, the list in the working folder.
void CompleteScanOptions(SScanOptions& options);

SScanRun RunScan(const SScanOptions& options);

// Ends a running scan after its current requests (Ctrl+C).
void StopRunningScan();

}  // namespace heliodrum
