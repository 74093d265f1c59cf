#pragma once
#include <windows.h>

// The server's two pipe ends and its GDI+ token, settled at start-up.
extern HANDLE g_inputHandle;   // request pipe; null: no request loop
extern HANDLE g_outputHandle;  // where the prompt and every line go
extern ULONG_PTR g_gdiplusToken;
