// The scan server's entry point: start-up, the request (or display) loop, and
// an orderly stop when the host closes the request pipe.
#include <windows.h>
#include <shellapi.h>
#include <objbase.h>  // COM types GDI+ needs, left out by WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include "badge/badge_window.h"
#include "crash/crash_dump.h"
#include "server/log_channel.h"
#include "server/module_cache.h"
#include "server/platform_name.h"
#include "server/process_handles.h"
#include "server/request_loop.h"
#include "server/server_arguments.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    InitializeCriticalSection(&g_dumpLock);
    g_dumpName = CWideString::From(L"ScanServer");
    g_dumpName.Insert(-1, L"-", 1);
    g_dumpName.Insert(-1, kPlatformName, -1);
    InstallCrashDumpFilter();

    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const SServerArguments arguments = ReadServerArguments(argv ? argc : 0, argv);
    if (!arguments.dumpFolder.IsEmpty()) g_dumpFolder = arguments.dumpFolder;
    LocalFree(argv);

    Gdiplus::GdiplusStartupInput gdiplusInput;  // version 1, no callback, nothing suppressed
    Gdiplus::GdiplusStartup(&g_gdiplusToken, &gdiplusInput, nullptr);

    g_inputHandle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(arguments.inputHandle));
    g_outputHandle = arguments.outputHandle != 0
                         ? reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(arguments.outputHandle))
                         : GetStdHandle(STD_OUTPUT_HANDLE);

    CreateBadgeWindow(instance, reinterpret_cast<HWND>(static_cast<ULONG_PTR>(arguments.ownerWindow)));
    LogInfo(L"Heliodrum Plugin Scan Server (%s)\n", kPlatformName);

    if (arguments.inputHandle != 0)
        RunRequestLoop();
    else
        RunDisplayLoop();

    FreeCachedModule();
    if (g_badgeWindow) DestroyWindow(g_badgeWindow);
    Gdiplus::GdiplusShutdown(g_gdiplusToken);
    return 0;
}
