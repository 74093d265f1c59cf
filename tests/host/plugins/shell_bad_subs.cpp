// A shell whose sub-plug-ins misbehave one by one: 0x22 faults in the entry
// point, 0x33 never returns from it, 0x11 and 0x44 are well-behaved; 0x44's
// name holds a line feed. Asked for a sub-plug-in, it is an effect with that
// id and named "Sub %08X" after the id the host answered; otherwise the shell.
#include <windows.h>

#include <cstdio>

#include "tests/plugins/plugin_kit.h"

namespace {

const STestShellEntry kShells[] = {{0x11, "Fine One"}, {0x22, "Faults"}, {0x33, "Hangs"}, {0x44, "Two\nLines"}};
constexpr int32_t kShellCount = sizeof(kShells) / sizeof(kShells[0]);

char g_name[32];

AEffect* Enter(AEffect* effect) {
    const int32_t requested = static_cast<int32_t>(CallHost(audioMasterCurrentId, nullptr));
    if (requested == 0x22) WriteThroughNull();
    if (requested == 0x33) Sleep(INFINITE);
    const bool isSubPlugin = requested != 0;
    std::snprintf(g_name, sizeof(g_name), isSubPlugin ? "Sub %08X" : "Bad Subs Shell",
                  static_cast<unsigned>(requested));
    effect->uniqueID = isSubPlugin ? requested : 0x42616453;  // 'BadS'
    if (isSubPlugin) TestPluginInUse().category = kTestCategoryEffect;
    return effect;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = g_name;
    plugin.shells = kShells;
    plugin.shellCount = kShellCount;
    plugin.onEntry = &Enter;
    plugin.category = kTestCategoryShell;
}
