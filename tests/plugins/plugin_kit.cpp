#include "tests/plugins/plugin_kit.h"

#include <cstring>

namespace {

STestCallLog g_log;
STestPlugin g_plugin;
AEffect g_effect;
audioMasterCallback g_host = nullptr;
int32_t g_nextShell = 0;

void CopyText(char (&out)[kTestTextBytes], const char* text) {
    if (!text) return;
    std::strncpy(out, text, kTestTextBytes - 1);
    out[kTestTextBytes - 1] = 0;
}

// Returns the slot of the new call, or null past the capacity (still counted).
STestCall* BeginCall(int32_t kind, int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt) {
    const int32_t slot = g_log.count++;
    if (slot >= kTestCallCapacity) return nullptr;
    STestCall* call = &g_log.calls[slot];
    std::memset(call, 0, sizeof(*call));
    call->kind = kind;
    call->opcode = opcode;
    call->index = index;
    call->value = value;
    call->opt = opt;
    call->dataIsNull = ptr == nullptr;
    call->firstByte = ptr ? static_cast<unsigned char>(*static_cast<const char*>(ptr)) : -1;
    return call;
}

void EndCall(STestCall* call, VstIntPtr answer) {
    if (!call) return;
    call->answer = answer;
    call->returned = 1;
}

void WriteString(void* ptr, const char* text) {
    if (!ptr) return;
    std::strcpy(static_cast<char*>(ptr), text);
}

VstIntPtr AnswerCanDo(const char* capability) {
    static const char* const kAsked[] = {"receiveVstMidiEvent", "receiveVstEvents", "sendVstMidiEvent",
                                         "sendVstEvents"};
    if (!capability) return 0;
    for (int32_t i = 0; i < 4; ++i)
        if (std::strcmp(capability, kAsked[i]) == 0) return g_plugin.canDo[i];
    return 0;
}

VstIntPtr NextShell(void* ptr) {
    if (g_nextShell >= g_plugin.shellCount) return 0;
    const STestShellEntry& shell = g_plugin.shells[g_nextShell++];
    if (shell.name) WriteString(ptr, shell.name);
    return shell.id;
}

VstIntPtr CommonAnswer(int32_t opcode, void* ptr) {
    switch (opcode) {
        case effClose:
            if (g_plugin.onClose) g_plugin.onClose();
            return 0;
        case effGetEffectName:
            WriteString(ptr, g_plugin.name);
            return 1;
        case effGetVendorString:
            WriteString(ptr, g_plugin.vendor);
            return 1;
        case effGetProductString:
            WriteString(ptr, g_plugin.product);
            return 1;
        case effGetPlugCategory:
            return g_plugin.category;
        case effGetVendorVersion:
            return g_plugin.vendorVersion;
        case effCanDo:
            return AnswerCanDo(static_cast<const char*>(ptr));
        case effShellGetNextPlugin:
            return NextShell(ptr);
        default:
            return 0;
    }
}

VstIntPtr VSTCALLBACK Dispatcher(AEffect* /*effect*/, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                                 float opt) {
    STestCall* call = BeginCall(kTestDispatcher, opcode, index, value, ptr, opt);
    if (call && opcode == effCanDo) CopyText(call->text, static_cast<const char*>(ptr));
    VstIntPtr answer = 0;
    if (!g_plugin.onDispatch || !g_plugin.onDispatch(opcode, ptr, answer)) answer = CommonAnswer(opcode, ptr);
    EndCall(call, answer);
    return answer;
}

}  // namespace

VstIntPtr CallHost(int32_t opcode, void* ptr) {
    STestCall* call = BeginCall(kTestHostCall, opcode, 0, 0, ptr, 0.0f);
    if (call && opcode == audioMasterCanDo) CopyText(call->text, static_cast<const char*>(ptr));
    const VstIntPtr answer = g_host(nullptr, opcode, 0, 0, ptr, 0.0f);
    if (call && ptr && (opcode == audioMasterGetVendorString || opcode == audioMasterGetProductString))
        CopyText(call->text, static_cast<const char*>(ptr));
    EndCall(call, answer);
    return answer;
}

void NoteInLog(const char* text) {
    STestCall* call = BeginCall(kTestNote, 0, 0, 0, nullptr, 0.0f);
    if (!call) return;
    CopyText(call->text, text);
    call->returned = 1;
}

void WriteThroughNull() {
    volatile int* volatile target = nullptr;
    *target = 1;
}

STestPlugin& TestPluginInUse() { return g_plugin; }

extern "C" AEffect* __cdecl TestPluginEntry(audioMasterCallback host) {
    STestCall* call = BeginCall(kTestEntryPoint, 0, 0, 0, nullptr, 0.0f);
    g_host = host;
    g_plugin = STestPlugin();
    DescribeTestPlugin(g_plugin);
    g_nextShell = 0;
    std::memset(&g_effect, 0, sizeof(g_effect));
    g_effect.magic = g_plugin.magic;
    g_effect.dispatcher = &Dispatcher;
    g_effect.numPrograms = 1;
    g_effect.numInputs = g_plugin.numInputs;
    g_effect.numOutputs = g_plugin.numOutputs;
    g_effect.flags = g_plugin.flags;
    g_effect.uniqueID = g_plugin.uniqueID;
    g_effect.version = 1;
    AEffect* effect = g_plugin.onEntry ? g_plugin.onEntry(&g_effect) : &g_effect;
    EndCall(call, reinterpret_cast<VstIntPtr>(effect));
    return effect;
}

extern "C" const STestCallLog* __cdecl TestPluginCalls() { return &g_log; }

extern "C" void __cdecl TestPluginReset() { std::memset(&g_log, 0, sizeof(g_log)); }
