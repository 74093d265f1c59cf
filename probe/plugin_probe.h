#pragma once
// Examines one loaded plug-in module and fills its record: calls the entry
// point with HostCallback, checks the AEffect, asks for identity, category,
// channels, MIDI and 64-bit abilities and version, lists a shell's sub-plug-ins
// and closes the plug-in. Neither loads nor frees the module.
#include <windows.h>

#include "server/plugin_info.h"

// True when the plug-in was examined and closed (a fault inside effClose
// included); false when the module was refused, the reason in info.error.
bool ProbePlugin(HMODULE module, CPluginInfo& info);
