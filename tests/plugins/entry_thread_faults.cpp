// Starts a thread from its entry point that writes through a null pointer,
// and waits for that thread, so the fault on the other thread ends the process.
// For the end-to-end tests only.
#include <windows.h>

#include "tests/plugins/plugin_kit.h"

namespace {

DWORD WINAPI Fault(void* /*argument*/) {
    WriteThroughNull();
    return 0;
}

AEffect* Enter(AEffect* effect) {
    HANDLE thread = CreateThread(nullptr, 0, &Fault, nullptr, 0, nullptr);
    if (!thread) return nullptr;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return effect;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) { plugin.onEntry = &Enter; }
