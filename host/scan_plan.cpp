#include "host/scan_plan.h"

#include <map>
#include <set>

#include "host/utf8_text.h"

namespace heliodrum {

namespace {

bool IsUnder(const std::wstring& foldedPath, const std::vector<std::wstring>& foldedRoots) {
    for (const std::wstring& root : foldedRoots) {
        if (foldedPath == root) return true;
        const std::wstring prefix = root.back() == L'\\' ? root : root + L"\\";
        if (foldedPath.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
}

}  // namespace

SPluginEntry UnscannableEntry(const SModuleFile& module) {
    SPluginEntry entry;
    entry.path = ToUtf8(module.path);
    entry.status = module.kind == EModuleKind::kUnreadable ? EScanStatus::kUnreadable : EScanStatus::kUnsupported;
    entry.reason = module.reason;
    entry.size = module.stamp.size;
    entry.modified = module.stamp.modified;
    return entry;
}

SScanPlan PlanScan(const std::vector<SPluginEntry>& previous, const std::vector<SModuleFile>& found,
                   const std::vector<std::wstring>& roots, const SPlanOptions& options) {
    SScanPlan plan;
    std::map<std::wstring, std::vector<const SPluginEntry*>> byModule;
    for (const SPluginEntry& entry : previous) byModule[FoldCase(FromUtf8(entry.path))].push_back(&entry);

    std::set<std::wstring> present;
    for (const SModuleFile& module : found) {
        const std::wstring key = FoldCase(module.path);
        present.insert(key);
        if (module.kind != EModuleKind::kX86 && module.kind != EModuleKind::kX64) {
            plan.entries.push_back(UnscannableEntry(module));
            continue;
        }
        const auto last = byModule.find(key);
        if (last == byModule.end()) {
            plan.toScan.push_back(module);
            continue;
        }
        bool changed = false, blacklisted = false, allOk = true;
        for (const SPluginEntry* entry : last->second) {
            changed |= entry->size != module.stamp.size || entry->modified != module.stamp.modified;
            blacklisted |= IsBlacklisting(entry->status);
            allOk &= entry->status == EScanStatus::kOk;
        }
        // a changed file is another build of the plug-in: its old crash says
        // nothing about it, so it is scanned like a new one
        const bool scan = changed || (options.retryFailed && !allOk) || (options.rescanAll && !blacklisted);
        if (scan) {
            plan.toScan.push_back(module);
            continue;
        }
        ++plan.unchanged;
        if (blacklisted) ++plan.blacklisted;
        for (const SPluginEntry* entry : last->second) plan.entries.push_back(*entry);
    }

    std::vector<std::wstring> foldedRoots;
    for (const std::wstring& root : roots) foldedRoots.push_back(FoldCase(FullPath(root)));
    for (const auto& module : byModule) {
        if (present.count(module.first)) continue;
        if (IsUnder(module.first, foldedRoots)) {
            ++plan.dropped;
            continue;
        }
        for (const SPluginEntry* entry : module.second) plan.entries.push_back(*entry);
    }
    return plan;
}

std::vector<SPluginEntry> MergeResults(std::vector<SPluginEntry> kept, const std::vector<SPluginEntry>& results) {
    std::set<std::wstring> rescanned;
    for (const SPluginEntry& result : results) rescanned.insert(FoldCase(FromUtf8(result.path)));
    std::vector<SPluginEntry> merged;
    for (SPluginEntry& entry : kept)
        if (!rescanned.count(FoldCase(FromUtf8(entry.path)))) merged.push_back(std::move(entry));
    merged.insert(merged.end(), results.begin(), results.end());
    SortEntries(merged);
    return merged;
}

}  // namespace heliodrum
