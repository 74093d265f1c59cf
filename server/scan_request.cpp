#include "server/scan_request.h"

#include <windows.h>

#include "badge/badge_window.h"
#include "crash/crash_dump.h"
#include "probe/host_callback.h"
#include "probe/plugin_probe.h"
#include "server/file_version.h"
#include "server/log_channel.h"
#include "server/message_pump.h"
#include "server/module_cache.h"
#include "toolkit/format.h"

void HandleScanCommand(const CWideString& request) {
    CPluginInfo info;
    if (!ScanPlugin(request, info)) LogError(L"%s\n", info.error);
    WriteReport(info);
}

bool ScanPlugin(const CWideString& request, CPluginInfo& info) {
    LogInfo(L"Scanning plugin: '%s'\n", request);
    const SScanRequest parts = SplitScanRequest(request);
    InstallCrashDumpFilter();

    HMODULE module = nullptr;
    const bool reused = !g_cachedModulePath.IsEmpty() && g_cachedModulePath.Equals(parts.path);
    if (reused) {
        LogInfo(L"Re-using previous library instance...\n");
        module = g_cachedModule;
    } else {
        FreeCachedModule();
        LogInfo(L"Loading library...\n");
        module = LoadLibraryExW(parts.path.Text() ? parts.path.Text() : L"", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!module) {
            info.error = Format(L"Failed to load library, err=%i", static_cast<int>(GetLastError()));
            return false;
        }
    }

    VS_FIXEDFILEINFO fileInfo;
    CWideString fileVersion;
    if (ReadFileVersion(parts.path.Text(), fileInfo)) fileVersion = FormatFileVersion(fileInfo);
    InstallCrashDumpFilter();
    if (g_badgeWindow) SetActiveWindow(g_badgeWindow);
    PumpWaitingMessages();

    g_currentShellId = parts.shellId;
    const bool probed = ProbePlugin(module, info);
    g_currentShellId = 0;

    if (info.version.IsEmpty()) info.version = fileVersion;
    PumpWaitingMessages();

    if (info.shells.GetCount() > 0 || reused) {
        LogInfo(L"Keeping shell library loaded for now...\n");
        g_cachedModule = module;
        g_cachedModulePath = parts.path;
    } else {
        LogInfo(L"Freeing library...\n");
        FreeLibrary(module);
        g_cachedModule = nullptr;
        g_cachedModulePath.Release();
    }
    LogInfo(L"Finished\n");
    return probed;
}
