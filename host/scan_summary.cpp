#include "host/scan_summary.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace heliodrum {

namespace {

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

const EScanStatus kAllStatuses[] = {EScanStatus::kOk,      EScanStatus::kFailed,      EScanStatus::kTimeout,
                                     EScanStatus::kCrashed, EScanStatus::kError,       EScanStatus::kUnsupported,
                                     EScanStatus::kUnreadable};

}  // namespace

std::string EntryLabel(const SPluginEntry& entry) {
    const size_t slash = entry.path.find_last_of("\\/");
    std::string file = slash == std::string::npos ? entry.path : entry.path.substr(slash + 1);
    if (entry.isSubPlugin) file += ">" + HexId(entry.subId);
    std::string name = entry.hasReport && !entry.report.name.empty() ? entry.report.name : entry.subName;
    const size_t longest = 48;  // a plug-in's name is its own; a table row is not
    if (name.size() > longest) {
        size_t cut = longest;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;  // whole characters only
        name = name.substr(0, cut) + "...";
    }
    return name.empty() ? file : name + " (" + file + ")";
}

std::string SummaryText(const std::vector<SPluginEntry>& scanned, const std::vector<SPluginEntry>& list,
                        const SSummaryFacts& facts, size_t slowest, size_t failuresShown) {
    std::string text;
    std::map<EScanStatus, size_t> thisRun, inList;
    for (const SPluginEntry& entry : scanned) ++thisRun[entry.status];
    for (const SPluginEntry& entry : list) ++inList[entry.status];

    text += "Scanned " + std::to_string(scanned.size()) + " plug-ins in " + Seconds(facts.seconds) + " with " +
            std::to_string(facts.servers) + " server start(s)";
    text += facts.stopped ? " (stopped before the end)\n" : "\n";
    text += "Kept " + std::to_string(facts.kept) + " unchanged module(s) from the last list";
    if (facts.blacklisted) text += ", " + std::to_string(facts.blacklisted) + " of them for an earlier crash or hang";
    if (facts.dropped) text += "; dropped " + std::to_string(facts.dropped) + " that are gone";
    text += "\n\n";

    text += "  status        this scan   in the list\n";
    for (EScanStatus status : kAllStatuses) {
        if (!thisRun[status] && !inList[status]) continue;
        char line[80];
        std::snprintf(line, sizeof line, "  %-12s %10zu %13zu\n", StatusName(status), thisRun[status], inList[status]);
        text += line;
    }

    std::vector<const SPluginEntry*> timed;
    for (const SPluginEntry& entry : scanned)
        if (entry.status != EScanStatus::kUnsupported && entry.status != EScanStatus::kUnreadable) timed.push_back(&entry);
    std::stable_sort(timed.begin(), timed.end(),
                     [](const SPluginEntry* a, const SPluginEntry* b) { return a->seconds > b->seconds; });
    if (!timed.empty()) {
        text += "\nSlowest:\n";
        for (size_t i = 0; i < timed.size() && i < slowest; ++i)
            text += "  " + Padded(Seconds(timed[i]->seconds), 9) + " " + Padded(timed[i]->architecture, 3) + " " +
                    EntryLabel(*timed[i]) + "\n";
    }

    std::vector<const SPluginEntry*> failures;
    for (const SPluginEntry& entry : scanned)
        if (entry.status != EScanStatus::kOk) failures.push_back(&entry);
    if (!failures.empty()) {
        text += "\nNot scanned cleanly:\n";
        for (size_t i = 0; i < failures.size() && i < failuresShown; ++i) {
            const SPluginEntry& entry = *failures[i];
            text += "  " + Padded(StatusName(entry.status), 11) + " " + Padded(entry.architecture, 3) + " " +
                    EntryLabel(entry) + ": " + entry.reason + "\n";
            if (!entry.dump.empty()) text += "              dump: " + entry.dump + "\n";
        }
        if (failures.size() > failuresShown)
            text += "  ... and " + std::to_string(failures.size() - failuresShown) + " more (see the list)\n";
    }
    return text;
}

}  // namespace heliodrum
