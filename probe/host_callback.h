#pragma once
// The host as every plug-in sees it: a VST 2.4 host working offline at
// 44100 Hz in blocks of 512 samples. Answers a fixed set of questions, logs
// every call, hands shell plug-ins the requested sub-plug-in id and notes when
// a plug-in asks for MIDI.
#include <cstdint>

#include "probe/vst_interface.h"
#include "toolkit/shared_text.h"

// The sub-plug-in id of the current request while its probe runs, 0 otherwise;
// the request handler sets it around each probe.
extern int32_t g_currentShellId;
// Set when a plug-in sends audioMasterWantMidi; the probe clears it before the
// entry point and reads it when it decides whether the plug-in takes MIDI.
extern bool g_wantsMidiRequested;

// Runs on whatever thread the plug-in calls it from and takes no lock: it
// reads only the opcode and the data pointer and keeps no state of its own.
VstIntPtr VSTCALLBACK HostCallback(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                                   float opt);

// The name of a host-callback opcode for the log; "<unknown>" for one without.
CWideString GetOpcodeName(int32_t opcode);
