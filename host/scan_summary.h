#pragma once
// The closing table of a scan, as plain text.
#include <string>
#include <vector>

#include "host/plugin_list.h"

namespace heliodrum {

struct SSummaryFacts {
    size_t kept = 0;         // modules kept unchanged from the last list
    size_t blacklisted = 0;  // of those, skipped for an earlier crash or hang
    size_t dropped = 0;      // modules gone from disk
    double seconds = 0;      // the whole scan
    size_t servers = 0;      // servers started
    bool stopped = false;    // the scan was interrupted
};

// `scanned` are the entries this run made; `list` is the whole new list.
std::string SummaryText(const std::vector<SPluginEntry>& scanned, const std::vector<SPluginEntry>& list,
                        const SSummaryFacts& facts, size_t slowest = 5, size_t failuresShown = 30);

// "Name (file.dll)" or "file.dll>0000002A": how a person recognises an entry.
std::string EntryLabel(const SPluginEntry& entry);

}  // namespace heliodrum
