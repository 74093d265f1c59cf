#pragma once
// The process-wide unhandled-exception filter: writes a minidump of the whole
// process into the host's dump folder, named after the local time, and ends the
// process with exit code 9. Registered at start and again after every stretch of
// plug-in code, since a plug-in may install a filter of its own.
#include <windows.h>

#include "toolkit/shared_text.h"

constexpr UINT kCrashExitCode = 9;
constexpr int kDumpPathUnits = 260;  // the terminating zero included

extern CWideString g_dumpFolder;  // empty: no dump is written
extern CWideString g_dumpName;    // "ScanServer-x86" (or -x64)
extern CRITICAL_SECTION g_dumpLock;

LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception);

inline void InstallCrashDumpFilter() { SetUnhandledExceptionFilter(&CrashDumpFilter); }

// Formats "<folder>\<name>-YYYY-MM-DD-hh-mm-ss.mdmp" into the buffer. False when
// it does not fit: a dump path is never shortened.
bool FormatDumpPath(wchar_t (&path)[kDumpPathUnits], const wchar_t* folder, const wchar_t* name,
                    const SYSTEMTIME& time);
