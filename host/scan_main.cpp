// heliodrum-scan: scans plug-in folders with the scan servers and writes the
// plug-in list (see host/README.md).
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "host/progress_display.h"
#include "host/scan_command.h"

namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    heliodrum::WriteOut("\nStopping after the requests under way; the list keeps what is done.\n");
    heliodrum::StopRunningScan();
    return TRUE;
}

}  // namespace

int wmain() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; words && i < count; ++i) arguments.push_back(words[i]);
    if (words) LocalFree(words);

    heliodrum::SScanOptions options;
    std::string problem;
    if (!heliodrum::ParseScanOptions(arguments, options, problem)) {
        heliodrum::WriteOut("heliodrum-scan: " + problem + "\n" + heliodrum::kScanUsage);
        return 2;
    }
    if (options.help) {
        heliodrum::WriteOut(heliodrum::kScanUsage);
        return 0;
    }
    heliodrum::CompleteScanOptions(options);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    // the scanner must not stop on a box when a module's folder is on a missing drive
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return heliodrum::RunScan(options).exitCode;
}
