#include "host/scan_command.h"

#include <windows.h>

#include <atomic>

#include "host/module_discovery.h"
#include "host/progress_display.h"
#include "host/scan_plan.h"
#include "host/scan_pool.h"
#include "host/server_process.h"
#include "host/utf8_text.h"

namespace heliodrum {

namespace {

std::atomic<CScanPool*> g_runningPool{nullptr};
std::atomic<bool> g_stopAsked{false};

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

CProgressDisplay::EStyle DisplayStyle(EProgressStyle style) {
    switch (style) {
        case EProgressStyle::kLive: return CProgressDisplay::EStyle::kLive;
        case EProgressStyle::kPlain: return CProgressDisplay::EStyle::kPlain;
        case EProgressStyle::kQuiet: return CProgressDisplay::EStyle::kQuiet;
        case EProgressStyle::kAuto: break;
    }
    return OutputIsConsole() ? CProgressDisplay::EStyle::kLive : CProgressDisplay::EStyle::kPlain;
}

}  // namespace

void CompleteScanOptions(SScanOptions& options) {
    const std::wstring here = ExecutableFolder();
    if (options.serverX86.empty() && FileExists(here + L"ScanServer-x86.exe")) options.serverX86 = here + L"ScanServer-x86.exe";
    if (options.serverX64.empty() && FileExists(here + L"ScanServer-x64.exe")) options.serverX64 = here + L"ScanServer-x64.exe";
    if (options.jobs == 0) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        options.jobs = system.dwNumberOfProcessors ? system.dwNumberOfProcessors : 1;
    }
    if (options.listPath.empty()) options.listPath = L"plugin-list.json";
    options.listPath = FullPath(options.listPath);
    if (options.dumpFolder.empty()) options.dumpFolder = FolderOf(options.listPath) + L"\\plugin-scan-dumps";
    options.dumpFolder = FullPath(options.dumpFolder);
}

void StopRunningScan() {
    g_stopAsked = true;
    if (CScanPool* pool = g_runningPool.load()) pool->Stop();
}

SScanRun RunScan(const SScanOptions& options) {
    SScanRun run;
    const ULONGLONG start = GetTickCount64();
    const bool talk = options.progress != EProgressStyle::kQuiet;
    auto say = [&](const std::string& text) {
        if (talk) WriteOut(text);
    };

    std::vector<SPluginEntry> previous;
    size_t unreadableEntries = 0;
    std::string problem;
    if (!LoadList(options.listPath, previous, unreadableEntries, problem)) {
        // the old file is kept aside, never silently overwritten
        const std::wstring aside = options.listPath + L".unreadable";
        MoveFileExW(options.listPath.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING);
        say("warning: the old list could not be read (" + problem + "); it was moved to " + ToUtf8(aside) +
            " and the scan starts afresh\n");
        previous.clear();
    } else if (unreadableEntries) {
        say("warning: " + std::to_string(unreadableEntries) + " entries of the old list could not be read\n");
    }

    std::vector<std::string> problems;
    const std::vector<SModuleFile> found = DiscoverModules(options.folders, problems);
    for (const std::string& text : problems) say("warning: " + text + "\n");

    SPlanOptions planOptions;
    planOptions.rescanAll = options.rescan;
    planOptions.retryFailed = options.retryFailed;
    SScanPlan plan = PlanScan(previous, found, options.folders, planOptions);
    run.facts.kept = plan.unchanged;
    run.facts.blacklisted = plan.blacklisted;
    run.facts.dropped = plan.dropped;
    for (const SPluginEntry& entry : plan.entries)
        if (entry.status == EScanStatus::kUnsupported || entry.status == EScanStatus::kUnreadable)
            run.scanned.push_back(entry);
    say("Found " + std::to_string(found.size()) + " module(s): " + std::to_string(plan.toScan.size()) + " to scan, " +
        std::to_string(plan.unchanged) + " unchanged, " + std::to_string(run.scanned.size()) +
        " not for a server; " + std::to_string(options.jobs) + " server(s) at once, " +
        std::to_string(static_cast<int>(options.timeoutSeconds)) + " s per request\n");

    SPoolOptions poolOptions;
    poolOptions.serverX86 = options.serverX86;
    poolOptions.serverX64 = options.serverX64;
    poolOptions.jobs = options.jobs;
    poolOptions.timeoutSeconds = options.timeoutSeconds;
    poolOptions.dumpFolder = options.dumpFolder;
    CScanPool pool(poolOptions);
    CProgressDisplay display(DisplayStyle(options.progress));
    g_runningPool = &pool;
    if (g_stopAsked) pool.Stop();
    std::vector<SPluginEntry> results = pool.Run(
        plan.toScan, [&] { display.Tick(pool.Progress()); },
        [&](const SPluginEntry& entry, const SPoolProgress& progress) { display.Finished(entry, progress); });
    g_runningPool = nullptr;
    display.Close();
    run.facts.stopped = pool.Stopped();
    run.facts.servers = pool.Progress().serversStarted;
    run.scanned.insert(run.scanned.end(), results.begin(), results.end());
    SortEntries(run.scanned);

    run.list = MergeResults(std::move(plan.entries), results);
    run.facts.seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    if (!SaveList(options.listPath, run.list, problem)) {
        say("error: the list could not be written to " + ToUtf8(options.listPath) + ": " + problem + "\n");
        run.exitCode = 1;
    }
    say("\n" + SummaryText(run.scanned, run.list, run.facts));
    if (run.exitCode == 0)
        say("\nPlug-in list (" + std::to_string(run.list.size()) + " entries): " + ToUtf8(options.listPath) + "\n");
    return run;
}

}  // namespace heliodrum
