#pragma once
// The common part of every test plug-in: the entry point, an AEffect with a
// working dispatcher that answers from a description, and the call log. Each
// plug-in's own source describes what sets it apart in DescribeTestPlugin.
#include <cstdint>

#include "probe/vst_interface.h"
#include "tests/plugins/test_plugin_calls.h"

constexpr VstIntPtr kTestCategoryEffect = 1;
constexpr VstIntPtr kTestCategorySynth = 2;
constexpr VstIntPtr kTestCategoryShell = 10;

// One answer to effShellGetNextPlugin; a null name is not written at all.
struct STestShellEntry {
    int32_t id;
    const char* name;
};

struct STestPlugin {
    int32_t magic = kEffectMagic;
    const char* name = "";
    const char* vendor = "Heliodrum Test Plug-ins";
    const char* product = "";
    int32_t uniqueID = 0;
    int32_t numInputs = 2;
    int32_t numOutputs = 2;
    int32_t flags = 0;
    VstIntPtr category = kTestCategoryEffect;
    // receiveVstMidiEvent, receiveVstEvents, sendVstMidiEvent, sendVstEvents;
    // any other capability is answered 0
    VstIntPtr canDo[4] = {-1, -1, -1, -1};
    VstIntPtr vendorVersion = 0;
    // answered in turn, then 0
    const STestShellEntry* shells = nullptr;
    int32_t shellCount = 0;
    // Runs inside the entry point, after the AEffect is set up; what it
    // returns is what the entry point returns.
    AEffect* (*onEntry)(AEffect* effect) = nullptr;
    // Answers an opcode itself (true) or leaves it to the common answers.
    bool (*onDispatch)(int32_t opcode, void* ptr, VstIntPtr& answer) = nullptr;
    // Runs inside effClose.
    void (*onClose)() = nullptr;
};

// Defined by each plug-in's source; called at every entry-point call, on a
// description in its default state.
void DescribeTestPlugin(STestPlugin& plugin);

// For an entry hook: the description in use, which the hook may still change
// (a shell asked for one of its sub-plug-ins turns into that effect).
STestPlugin& TestPluginInUse();

// For the hooks: calls the host, recording the call and its answer.
VstIntPtr CallHost(int32_t opcode, void* ptr);
// A remark in the call log.
void NoteInLog(const char* text);
// A real access violation: a write through a null pointer the compiler cannot see.
void WriteThroughNull();
