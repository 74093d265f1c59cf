#include "probe/host_callback.h"

#include "server/log_channel.h"
#include "toolkit/text_conversion.h"

int32_t g_currentShellId = 0;
bool g_wantsMidiRequested = false;

namespace {

struct SOpcodeName {
    int32_t opcode;
    const char* name;
};

// Opcode 5 was dropped from the interface and has no name.
const SOpcodeName kOpcodeNames[] = {
    {0, "audioMasterAutomate"},
    {1, "audioMasterVersion"},
    {2, "audioMasterCurrentId"},
    {3, "audioMasterIdle"},
    {4, "audioMasterPinConnected"},
    {6, "audioMasterWantMidi"},
    {7, "audioMasterGetTime"},
    {8, "audioMasterProcessEvents"},
    {9, "audioMasterSetTime"},
    {10, "audioMasterTempoAt"},
    {11, "audioMasterGetNumAutomatableParameters"},
    {12, "audioMasterGetParameterQuantization"},
    {13, "audioMasterIOChanged"},
    {14, "audioMasterNeedIdle"},
    {15, "audioMasterSizeWindow"},
    {16, "audioMasterGetSampleRate"},
    {17, "audioMasterGetBlockSize"},
    {18, "audioMasterGetInputLatency"},
    {19, "audioMasterGetOutputLatency"},
    {20, "audioMasterGetPreviousPlug"},
    {21, "audioMasterGetNextPlug"},
    {22, "audioMasterWillReplaceOrAccumulate"},
    {23, "audioMasterGetCurrentProcessLevel"},
    {24, "audioMasterGetAutomationState"},
    {25, "audioMasterOfflineStart"},
    {26, "audioMasterOfflineRead"},
    {27, "audioMasterOfflineWrite"},
    {28, "audioMasterOfflineGetCurrentPass"},
    {29, "audioMasterOfflineGetCurrentMetaPass"},
    {30, "audioMasterSetOutputSampleRate"},
    {31, "audioMasterGetOutputSpeakerArrangement"},
    {32, "audioMasterGetVendorString"},
    {33, "audioMasterGetProductString"},
    {34, "audioMasterGetVendorVersion"},
    {35, "audioMasterVendorSpecific"},
    {36, "audioMasterSetIcon"},
    {37, "audioMasterCanDo"},
    {38, "audioMasterGetLanguage"},
    {39, "audioMasterOpenWindow"},
    {40, "audioMasterCloseWindow"},
    {41, "audioMasterGetDirectory"},
    {42, "audioMasterUpdateDisplay"},
    {43, "audioMasterBeginEdit"},
    {44, "audioMasterEndEdit"},
    {45, "audioMasterOpenFileSelector"},
    {46, "audioMasterCloseFileSelector"},
    {47, "audioMasterEditFile"},
    {48, "audioMasterGetChunkFile"},
    {49, "audioMasterGetInputSpeakerArrangement"},
};

// What the host says it can do, in the order it is compared.
const char* const kHostCanDo[] = {
    "sizeWindow",
    "sendVstEvents",
    "sendVstMidiEvent",
    "sendVstTimeInfo",
    "supplyIdle",
    "receiveVstEvents",
    "receiveVstMidiEvent",
    "startStopProcess",
    "sendVstMidiEventFlagIsRealtime",
    "shellCategory",
};

constexpr VstIntPtr kHostVersion = 2400;
constexpr VstIntPtr kSampleRate = 44100;
constexpr VstIntPtr kBlockSize = 512;
constexpr VstIntPtr kHostVendorVersion = 3;
const char kHostVendor[] = "Dravenholtworks";
const char kHostProduct[] = "Heliodrum";
// What the interface lets a host write into a plug-in's vendor or product buffer.
constexpr int32_t kHostStringBytes = 64;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (LowerAscii(*a) != LowerAscii(*b)) return false;
    return *a == *b;
}

VstIntPtr AnswerCanDo(const char* capability) {
    LogInfo(L"Query host can do: '%S'\n", capability);
    // a plug-in that asks about nothing is told no
    if (!capability) return 0;
    for (const char* entry : kHostCanDo)
        if (EqualIgnoringAsciiCase(capability, entry)) return 1;
    return 0;
}

// Copies the text and its NUL, never more than the interface's 64 bytes. A
// null buffer gets nothing and the answer 0.
VstIntPtr WriteHostString(void* buffer, const char* text) {
    if (!buffer) return 0;
    char* out = static_cast<char*>(buffer);
    int32_t i = 0;
    for (; i < kHostStringBytes - 1 && text[i]; ++i) out[i] = text[i];
    out[i] = 0;
    return 1;
}

}  // namespace

CWideString GetOpcodeName(int32_t opcode) {
    for (const SOpcodeName& entry : kOpcodeNames)
        if (entry.opcode == opcode) return WidenBytes(entry.name);
    return CWideString::From(L"<unknown>");
}

VstIntPtr VSTCALLBACK HostCallback(AEffect* /*effect*/, int32_t opcode, int32_t /*index*/, VstIntPtr /*value*/,
                                   void* ptr, float /*opt*/) {
    if (opcode == audioMasterCanDo) return AnswerCanDo(static_cast<const char*>(ptr));

    LogInfo(L"Audio master callback: %i - %s\n", opcode, GetOpcodeName(opcode));
    switch (opcode) {
        case audioMasterAutomate:
            return 0;
        case audioMasterVersion:
            return kHostVersion;
        case audioMasterCurrentId:
            return g_currentShellId;
        case audioMasterWantMidi:
            g_wantsMidiRequested = true;
            return 0;
        case audioMasterNeedIdle:
            return 1;
        case audioMasterGetSampleRate:
            return kSampleRate;
        case audioMasterGetBlockSize:
            return kBlockSize;
        case audioMasterGetCurrentProcessLevel:
            return kVstProcessLevelOffline;
        case audioMasterGetVendorString:
            return WriteHostString(ptr, kHostVendor);
        case audioMasterGetProductString:
            return WriteHostString(ptr, kHostProduct);
        case audioMasterGetVendorVersion:
            return kHostVendorVersion;
        default:
            LogWarning(L"Unhandled audioMaster opCode - %i\n", opcode);
            return 0;
    }
}
