// What a re-run scans again and what it keeps: changed files, blacklisted
// crashes and hangs, --rescan and --retry-failed, modules that went away.
#include <gtest/gtest.h>

#include "host/scan_plan.h"

namespace heliodrum_test {
namespace {

using heliodrum::EModuleKind;
using heliodrum::EScanStatus;
using heliodrum::SModuleFile;
using heliodrum::SPluginEntry;

SModuleFile Module(const wchar_t* path, uint64_t size = 100, const char* modified = "T1",
                   EModuleKind kind = EModuleKind::kX64) {
    SModuleFile module;
    module.path = path;
    module.stamp.size = size;
    module.stamp.modified = modified;
    module.kind = kind;
    return module;
}

SPluginEntry Entry(const char* path, EScanStatus status, bool sub = false) {
    SPluginEntry entry;
    entry.path = path;
    entry.status = status;
    entry.isSubPlugin = sub;
    entry.size = 100;
    entry.modified = "T1";
    return entry;
}

bool Scans(const heliodrum::SScanPlan& plan, const wchar_t* path) {
    for (const SModuleFile& module : plan.toScan)
        if (module.path == path) return true;
    return false;
}

TEST(ScanPlan, DecidesPerModuleFromTheLastListAndTheOptions) {
    struct SCase {
        const char* what;
        EScanStatus moduleStatus;
        EScanStatus subStatus;  // kOk: no sub-plug-in trouble
        uint64_t size;
        const char* modified;
        bool rescan, retry;
        bool scanned;
    };
    const SCase cases[] = {
        {"unchanged ok", EScanStatus::kOk, EScanStatus::kOk, 100, "T1", false, false, false},
        {"size changed", EScanStatus::kOk, EScanStatus::kOk, 101, "T1", false, false, true},
        {"time changed", EScanStatus::kOk, EScanStatus::kOk, 100, "T2", false, false, true},
        {"--rescan", EScanStatus::kOk, EScanStatus::kOk, 100, "T1", true, false, true},
        {"--retry-failed on an ok module", EScanStatus::kOk, EScanStatus::kOk, 100, "T1", false, true, false},
        {"failed, unchanged", EScanStatus::kFailed, EScanStatus::kOk, 100, "T1", false, false, false},
        {"failed, --retry-failed", EScanStatus::kFailed, EScanStatus::kOk, 100, "T1", false, true, true},
        {"crashed, unchanged", EScanStatus::kCrashed, EScanStatus::kOk, 100, "T1", false, false, false},
        {"crashed, --rescan", EScanStatus::kCrashed, EScanStatus::kOk, 100, "T1", true, false, false},
        {"crashed, --retry-failed", EScanStatus::kCrashed, EScanStatus::kOk, 100, "T1", false, true, true},
        {"timed out, --rescan", EScanStatus::kTimeout, EScanStatus::kOk, 100, "T1", true, false, false},
        {"crashed, file replaced", EScanStatus::kCrashed, EScanStatus::kOk, 200, "T1", false, false, true},
        {"a sub-plug-in hung, --rescan", EScanStatus::kOk, EScanStatus::kTimeout, 100, "T1", true, false, false},
        {"a sub-plug-in hung, --retry-failed", EScanStatus::kOk, EScanStatus::kTimeout, 100, "T1", false, true, true},
    };
    for (const SCase& c : cases) {
        const std::vector<SPluginEntry> previous = {Entry("C:\\p\\fx.dll", c.moduleStatus),
                                                    Entry("C:\\P\\FX.DLL", c.subStatus, true)};
        heliodrum::SPlanOptions options;
        options.rescanAll = c.rescan;
        options.retryFailed = c.retry;
        const heliodrum::SScanPlan plan =
            heliodrum::PlanScan(previous, {Module(L"C:\\p\\fx.dll", c.size, c.modified)}, {L"C:\\p"}, options);
        EXPECT_EQ(c.scanned, Scans(plan, L"C:\\p\\fx.dll")) << c.what;
        EXPECT_EQ(c.scanned ? 0u : 2u, plan.entries.size()) << c.what << ": kept entries (module and sub)";
        const bool blacklisted = heliodrum::IsBlacklisting(c.moduleStatus) || heliodrum::IsBlacklisting(c.subStatus);
        EXPECT_EQ(!c.scanned && blacklisted ? 1u : 0u, plan.blacklisted) << c.what;
    }
}

TEST(ScanPlan, NewModulesUnscannableFilesAndModulesThatWentAway) {
    const std::vector<SPluginEntry> previous = {
        Entry("C:\\p\\gone.dll", EScanStatus::kOk),
        Entry("C:\\p\\gone.dll", EScanStatus::kOk, true),
        Entry("D:\\other\\kept.dll", EScanStatus::kOk),
        Entry("C:\\pp\\sibling.dll", EScanStatus::kOk),
        Entry("C:\\p\\text.dll", EScanStatus::kUnsupported),
    };
    SModuleFile text = Module(L"C:\\p\\text.dll", 100, "T1", EModuleKind::kNotPe);
    text.reason = "not a Windows module (no MZ header)";
    const heliodrum::SScanPlan plan = heliodrum::PlanScan(
        previous, {Module(L"C:\\p\\new.dll", 1, "T1", EModuleKind::kX86), text}, {L"C:\\p\\"}, {});
    ASSERT_EQ(1u, plan.toScan.size());
    EXPECT_EQ(L"C:\\p\\new.dll", plan.toScan[0].path);
    EXPECT_EQ(1u, plan.dropped) << "gone.dll left the scanned folder";
    std::vector<std::string> kept;
    for (const SPluginEntry& entry : plan.entries) kept.push_back(entry.path + " " + heliodrum::StatusName(entry.status));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ((std::vector<std::string>{"C:\\p\\text.dll unsupported", "C:\\pp\\sibling.dll ok",
                                        "D:\\other\\kept.dll ok"}),
              kept)
        << "a folder that merely starts with the same letters is not inside it";
    for (const SPluginEntry& entry : plan.entries) {
        if (entry.status == EScanStatus::kUnsupported) {
            EXPECT_EQ(text.reason, entry.reason);
        }
    }
}

TEST(ScanPlan, MergingReplacesAllOfARescannedModulesEntries) {
    std::vector<SPluginEntry> kept = {Entry("C:\\p\\shell.dll", EScanStatus::kOk),
                                      Entry("C:\\p\\shell.dll", EScanStatus::kCrashed, true),
                                      Entry("C:\\p\\a.dll", EScanStatus::kOk)};
    SPluginEntry fresh = Entry("c:\\P\\Shell.dll", EScanStatus::kOk);
    const std::vector<SPluginEntry> merged = heliodrum::MergeResults(kept, {fresh});
    ASSERT_EQ(2u, merged.size());
    EXPECT_EQ("C:\\p\\a.dll", merged[0].path);
    EXPECT_EQ("c:\\P\\Shell.dll", merged[1].path);
}

}  // namespace
}  // namespace heliodrum_test
