#pragma once
// The VST 2.4 plug-in interface as far as the scan server (and its test
// plug-ins) rely on it: the AEffect block a plug-in hands back, the callback
// and dispatcher shape, and the opcodes and constants used. Declared here from
// the published binary interface; no SDK header is involved.
#include <cstddef>
#include <cstdint>

// Entry point, dispatcher and host callback all use the C calling convention
// (the caller pops the arguments); on x64 there is only one convention.
#if defined(_MSC_VER) || defined(__MINGW32__)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

// Pointer-sized integer of the interface: the value argument and every answer.
using VstIntPtr = intptr_t;

struct AEffect;

using audioMasterCallback = VstIntPtr(VSTCALLBACK*)(AEffect* effect, int32_t opcode, int32_t index,
                                                    VstIntPtr value, void* ptr, float opt);
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK*)(AEffect* effect, int32_t opcode, int32_t index,
                                                      VstIntPtr value, void* ptr, float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs,
                                              int32_t sampleFrames);
using AEffectProcessDoubleProc = void(VSTCALLBACK*)(AEffect* effect, double** inputs, double** outputs,
                                                    int32_t sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, int32_t index, float parameter);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, int32_t index);

// What "VSTPluginMain" and "main" are.
using VstPluginMainProc = AEffect*(VSTCALLBACK*)(audioMasterCallback host);

// Natural alignment gives the layout plug-ins are built with on both
// architectures: 32-bit fields stay 32 bits wide, pointers and the two reserved
// words follow the pointer size.
struct AEffect {
    int32_t magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    VstIntPtr resvd1;
    VstIntPtr resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID;
    int32_t version;
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

#if defined(_M_IX86) || defined(__i386__)
static_assert(offsetof(AEffect, magic) == 0, "x86 AEffect layout");
static_assert(offsetof(AEffect, dispatcher) == 4, "x86 AEffect layout");
static_assert(offsetof(AEffect, numInputs) == 28, "x86 AEffect layout");
static_assert(offsetof(AEffect, numOutputs) == 32, "x86 AEffect layout");
static_assert(offsetof(AEffect, flags) == 36, "x86 AEffect layout");
static_assert(offsetof(AEffect, uniqueID) == 72, "x86 AEffect layout");
static_assert(offsetof(AEffect, processDoubleReplacing) == 84, "x86 AEffect layout");
static_assert(sizeof(AEffect) == 144, "x86 AEffect layout");
#elif defined(_M_X64) || defined(__x86_64__)
static_assert(offsetof(AEffect, magic) == 0, "x64 AEffect layout");
static_assert(offsetof(AEffect, dispatcher) == 8, "x64 AEffect layout");
static_assert(offsetof(AEffect, numPrograms) == 40, "x64 AEffect layout");
static_assert(offsetof(AEffect, numInputs) == 48, "x64 AEffect layout");
static_assert(offsetof(AEffect, numOutputs) == 52, "x64 AEffect layout");
static_assert(offsetof(AEffect, flags) == 56, "x64 AEffect layout");
static_assert(offsetof(AEffect, resvd1) == 64, "x64 AEffect layout");
static_assert(offsetof(AEffect, initialDelay) == 80, "x64 AEffect layout");
static_assert(offsetof(AEffect, object) == 96, "x64 AEffect layout");
static_assert(offsetof(AEffect, uniqueID) == 112, "x64 AEffect layout");
static_assert(offsetof(AEffect, processReplacing) == 120, "x64 AEffect layout");
static_assert(offsetof(AEffect, future) == 136, "x64 AEffect layout");
static_assert(sizeof(AEffect) == 192, "x64 AEffect layout");
#endif

// 'VstP' as a multi-character constant.
constexpr int32_t kEffectMagic = 0x56737450;

// AEffect::flags bits
constexpr int32_t effFlagsIsSynth = 1 << 8;
constexpr int32_t effFlagsCanDoubleReplacing = 1 << 12;

// Dispatcher opcodes the server sends.
constexpr int32_t effClose = 1;
constexpr int32_t effGetPlugCategory = 35;
constexpr int32_t effGetEffectName = 45;
constexpr int32_t effGetVendorString = 47;
constexpr int32_t effGetProductString = 48;
constexpr int32_t effGetVendorVersion = 49;
constexpr int32_t effCanDo = 51;
constexpr int32_t effShellGetNextPlugin = 70;

// Host-callback opcodes the host answers other than with 0.
constexpr int32_t audioMasterAutomate = 0;
constexpr int32_t audioMasterVersion = 1;
constexpr int32_t audioMasterCurrentId = 2;
constexpr int32_t audioMasterWantMidi = 6;
constexpr int32_t audioMasterNeedIdle = 14;
constexpr int32_t audioMasterGetSampleRate = 16;
constexpr int32_t audioMasterGetBlockSize = 17;
constexpr int32_t audioMasterGetCurrentProcessLevel = 23;
constexpr int32_t audioMasterGetVendorString = 32;
constexpr int32_t audioMasterGetProductString = 33;
constexpr int32_t audioMasterGetVendorVersion = 34;
constexpr int32_t audioMasterCanDo = 37;
constexpr int32_t audioMasterGetLanguage = 38;

constexpr int32_t kVstProcessLevelOffline = 4;
// The effGetPlugCategory answers the server tells apart (kPlugCategUnknown,
// kPlugCategEffect, kPlugCategSynth, kPlugCategShell) are declared with the
// record, server/plugin_info.h, which reports them.
