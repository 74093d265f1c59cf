#pragma once
// What a test plug-in records and how the in-process tests read it back: every
// call the host makes into the plug-in and every call the plug-in makes to the
// host, in the order they happen. Shared by the plug-ins and the tests, which
// are always built for the same architecture.
#include <cstdint>

enum ETestCallKind : int32_t {
    kTestEntryPoint = 0,   // the entry point was called
    kTestDispatcher = 1,   // the host called the plug-in's dispatcher
    kTestHostCall = 2,     // the plug-in called the host
    kTestNote = 3,         // a remark of the plug-in's own (text)
};

constexpr int32_t kTestTextBytes = 96;
constexpr int32_t kTestCallCapacity = 128;

struct STestCall {
    int32_t kind;
    int32_t opcode;
    int32_t index;
    int32_t returned;    // 0 while the call runs, and for good when it faulted
    int64_t value;
    int64_t answer;      // the plug-in's answer, or the host's
    float opt;
    int32_t dataIsNull;
    int32_t firstByte;   // the data buffer's first byte when the call came in (-1: no buffer)
    // effCanDo: the capability asked; host call: the text the host wrote
    // (vendor, product) or sent; note: the remark
    char text[kTestTextBytes];
};

struct STestCallLog {
    int32_t count;  // every call, also those past the capacity
    STestCall calls[kTestCallCapacity];
};

// Answers of the "configurable" plug-in, set before its entry point is called.
struct STestPluginSettings {
    int32_t flags;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t category;          // the answer to effGetPlugCategory
    int32_t canDo[4];          // receiveVstMidiEvent, receiveVstEvents, sendVstMidiEvent, sendVstEvents
    int32_t vendorVersion;
    int32_t requestsMidi;      // sends audioMasterWantMidi from its entry point
    int32_t replacesFilter;    // puts its own unhandled-exception filter in place whenever it runs
};

// Exported by every test plug-in.
using TestPluginCallsProc = const STestCallLog*(__cdecl*)();
using TestPluginResetProc = void(__cdecl*)();
// Exported by "configurable" only.
using TestPluginConfigureProc = void(__cdecl*)(const STestPluginSettings* settings);
