#pragma once
#include <cstdint>

#include "probe/vst_interface.h"
#include "server/plugin_info.h"

// A shell that never answers 0 is not asked more often than this; what it
// named by then is kept.
constexpr int32_t kMaxShellAnswers = 65536;

// Room a shell plug-in gets for a sub-plug-in's name (a terminator follows it).
constexpr int32_t kShellNameBytes = 512;

// Asks a shell plug-in for its sub-plug-ins until it answers 0 and appends each
// id it names for the first time, with its name, to `shells`.
void EnumerateShell(AEffect* effect, CShellList& shells);
