// A plug-in whose answers the in-process tests set before its entry point runs
// (TestPluginConfigure): flags, channels, category, the four MIDI capability
// answers, its version number, whether it asks for MIDI, and whether it puts
// its own unhandled-exception filter in place whenever it runs.
#include <windows.h>

#include "tests/plugins/plugin_kit.h"

namespace {

STestPluginSettings g_settings = {0, 2, 2, 1, {-1, -1, -1, -1}, 0, 0, 0};

LONG WINAPI PluginsOwnFilter(EXCEPTION_POINTERS* /*exception*/) { return EXCEPTION_CONTINUE_SEARCH; }

void ReplaceFilter() {
    if (g_settings.replacesFilter) SetUnhandledExceptionFilter(&PluginsOwnFilter);
}

AEffect* Enter(AEffect* effect) {
    if (g_settings.requestsMidi) CallHost(audioMasterWantMidi, nullptr);
    ReplaceFilter();
    return effect;
}

bool Dispatch(int32_t /*opcode*/, void* /*ptr*/, VstIntPtr& /*answer*/) {
    ReplaceFilter();
    return false;
}

}  // namespace

extern "C" void __cdecl TestPluginConfigure(const STestPluginSettings* settings) { g_settings = *settings; }

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Configurable";
    plugin.uniqueID = 0x436F6E66;  // 'Conf'
    plugin.flags = g_settings.flags;
    plugin.numInputs = g_settings.numInputs;
    plugin.numOutputs = g_settings.numOutputs;
    plugin.category = g_settings.category;
    for (int32_t i = 0; i < 4; ++i) plugin.canDo[i] = g_settings.canDo[i];
    plugin.vendorVersion = g_settings.vendorVersion;
    plugin.onEntry = &Enter;
    plugin.onDispatch = &Dispatch;
}
