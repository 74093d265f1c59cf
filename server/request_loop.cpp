#include "server/request_loop.h"

#include <windows.h>

#include "server/message_pump.h"
#include "server/process_handles.h"
#include "server/request_line.h"
#include "server/scan_request.h"
#include "toolkit/text_conversion.h"

namespace {

void WritePrompt() {
    static const char kPrompt[] = "ready:\n";
    DWORD written = 0;
    WriteFile(g_outputHandle, kPrompt, sizeof kPrompt - 1, &written, nullptr);
    FlushFileBuffers(g_outputHandle);
}

}  // namespace

void RunRequestLoop() {
    // a plug-in path on a missing drive must not stop the scan with a system dialog
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    char buffer[kRequestBufferBytes];
    for (;;) {
        WritePrompt();
        DWORD bytesRead = 0;
        if (!ReadFile(g_inputHandle, buffer, kRequestReadBytes, &bytesRead, nullptr) || bytesRead == 0) return;
        const CNarrowString line = ExtractRequestLine(buffer, static_cast<int32_t>(bytesRead));
        PumpWaitingMessages();
        const CWideString request = Utf8ToWide(line.Text());
        HandleScanCommand(request);
    }
}

void RunDisplayLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
