#include "server/process_handles.h"

HANDLE g_inputHandle = nullptr;
HANDLE g_outputHandle = nullptr;
ULONG_PTR g_gdiplusToken = 0;
