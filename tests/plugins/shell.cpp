// The shell the end-to-end tests scan: three sub-plug-ins, 0x11, 0x22 and
// 0x2A. Its name carries, as eight hexadecimal digits, the id the host answered
// to audioMasterCurrentId during the entry point ("Shell 0000002A"). Asked for
// one of its sub-plug-ins it is that sub-plug-in (an effect with that unique
// id); asked for 0 or an unknown id it is the shell.
#include <cstdio>

#include "tests/plugins/plugin_kit.h"

namespace {

const STestShellEntry kShells[] = {{0x11, "Shell Alpha"}, {0x22, "Shell Beta"}, {0x2A, "Shell Gamma"}};
constexpr int32_t kShellCount = sizeof(kShells) / sizeof(kShells[0]);
constexpr int32_t kShellUniqueId = 0x5368656C;  // 'Shel'

char g_name[32];

AEffect* Enter(AEffect* effect) {
    const int32_t requested = static_cast<int32_t>(CallHost(audioMasterCurrentId, nullptr));
    std::snprintf(g_name, sizeof(g_name), "Shell %08X", static_cast<unsigned>(requested));
    bool isSubPlugin = false;
    for (int32_t i = 0; i < kShellCount; ++i)
        if (kShells[i].id == requested) isSubPlugin = true;
    effect->uniqueID = isSubPlugin ? requested : kShellUniqueId;
    if (isSubPlugin) TestPluginInUse().category = kTestCategoryEffect;
    return effect;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = g_name;  // filled in by the entry point
    plugin.product = "Shell Product";
    plugin.shells = kShells;
    plugin.shellCount = kShellCount;
    plugin.onEntry = &Enter;
    plugin.category = kTestCategoryShell;
}
