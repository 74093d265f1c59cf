#pragma once
// Decides, from the last list and what is on disk now, which modules a scan
// must ask a server about and which entries it keeps as they are.
#include <string>
#include <vector>

#include "host/module_discovery.h"
#include "host/plugin_list.h"

namespace heliodrum {

struct SPlanOptions {
    bool rescanAll = false;    // scan unchanged modules too (not the blacklisted ones)
    bool retryFailed = false;  // scan modules whose last scan did not end well, timeouts and crashes included
};

struct SScanPlan {
    std::vector<SModuleFile> toScan;   // modules for a server
    std::vector<SPluginEntry> entries;  // entries that go into the new list as they are
    size_t unchanged = 0;               // modules kept from the last list
    size_t blacklisted = 0;             // of those, kept because they crashed or hung before
    size_t dropped = 0;                 // modules of the last list that are gone from a scanned folder
};

// `roots` are the scanned folders: an entry under one of them whose file is no
// longer there leaves the list; entries elsewhere stay.
SScanPlan PlanScan(const std::vector<SPluginEntry>& previous, const std::vector<SModuleFile>& found,
                   const std::vector<std::wstring>& roots, const SPlanOptions& options);

// The entry for a module that no server can scan.
SPluginEntry UnscannableEntry(const SModuleFile& module);

// Puts new results in place of the module's old entries and sorts the list.
std::vector<SPluginEntry> MergeResults(std::vector<SPluginEntry> kept, const std::vector<SPluginEntry>& results);

}  // namespace heliodrum
