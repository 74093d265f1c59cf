#include "crash/crash_dump.h"

#include <dbghelp.h>

#include "toolkit/format.h"

CWideString g_dumpFolder;
CWideString g_dumpName;
CRITICAL_SECTION g_dumpLock;

namespace {

using MiniDumpWriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                                PMINIDUMP_EXCEPTION_INFORMATION,
                                                PMINIDUMP_USER_STREAM_INFORMATION,
                                                PMINIDUMP_CALLBACK_INFORMATION);

[[noreturn]] void EndProcess() {
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    for (;;) Sleep(INFINITE);  // TerminateProcess on the own process does not return
}

}  // namespace

bool FormatDumpPath(wchar_t (&path)[kDumpPathUnits], const wchar_t* folder, const wchar_t* name,
                    const SYSTEMTIME& time) {
    const SFormatArg args[] = {SFormatArg(folder),    SFormatArg(name),         SFormatArg(time.wYear),
                               SFormatArg(time.wMonth), SFormatArg(time.wDay),  SFormatArg(time.wHour),
                               SFormatArg(time.wMinute), SFormatArg(time.wSecond)};
    const int32_t needed = FormatInto(path, kDumpPathUnits, L"%s\\%s-%.4i-%.2i-%.2i-%.2i-%.2i-%.2i.mdmp", args, 8);
    return needed < kDumpPathUnits;
}

// Runs on whichever thread faulted. Keeps its buffers on the stack: the heap may
// be what broke.
LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception) {
    const wchar_t* folder = g_dumpFolder.Text();
    if (!folder || folder[0] == 0) EndProcess();

    // one dump per crash: a second faulting thread waits here and ends with the
    // process when the first one terminates it
    EnterCriticalSection(&g_dumpLock);
    HMODULE dbghelp = LoadLibraryW(L"DbgHelp.dll");
    if (!dbghelp) {
        LeaveCriticalSection(&g_dumpLock);
        return EXCEPTION_CONTINUE_SEARCH;
    }
    auto writeDump = reinterpret_cast<MiniDumpWriteDumpFunction>(
        reinterpret_cast<void*>(GetProcAddress(dbghelp, "MiniDumpWriteDump")));
    if (!writeDump) {
        LeaveCriticalSection(&g_dumpLock);
        return EXCEPTION_CONTINUE_SEARCH;
    }

    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t path[kDumpPathUnits];
    if (FormatDumpPath(path, folder, g_dumpName.Text(), now)) {
        HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            MINIDUMP_EXCEPTION_INFORMATION info;
            info.ThreadId = GetCurrentThreadId();
            info.ExceptionPointers = exception;
            info.ClientPointers = FALSE;
            writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, &info, nullptr, nullptr);
            CloseHandle(file);
        }
    }
    LeaveCriticalSection(&g_dumpLock);
    EndProcess();
}
