#include "server/module_cache.h"

#include "server/log_channel.h"

HMODULE g_cachedModule = nullptr;
CWideString g_cachedModulePath;

void FreeCachedModule() {
    if (!g_cachedModule) return;
    LogInfo(L"Freeing cached library...\n");
    FreeLibrary(g_cachedModule);
    g_cachedModule = nullptr;
    g_cachedModulePath.Release();
    LogInfo(L"Freed\n");
}
