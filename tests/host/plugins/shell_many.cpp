// A shell with 500 sub-plug-ins, ids 0x1000 to 0x11F3, for measuring how a
// whole shell is scanned. Asked for a sub-plug-in, it is that effect.
#include <cstdio>

#include "tests/plugins/plugin_kit.h"

namespace {

constexpr int32_t kShellCount = 500;
constexpr int32_t kFirstId = 0x1000;

STestShellEntry g_shells[kShellCount];
char g_names[kShellCount][16];

AEffect* Enter(AEffect* effect) {
    const int32_t requested = static_cast<int32_t>(CallHost(audioMasterCurrentId, nullptr));
    const bool isSubPlugin = requested >= kFirstId && requested < kFirstId + kShellCount;
    effect->uniqueID = isSubPlugin ? requested : 0x4D616E79;  // 'Many'
    if (isSubPlugin) TestPluginInUse().category = kTestCategoryEffect;
    return effect;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    for (int32_t i = 0; i < kShellCount; ++i) {
        std::snprintf(g_names[i], sizeof g_names[i], "Sub %d", static_cast<int>(i + 1));
        g_shells[i] = {kFirstId + i, g_names[i]};
    }
    plugin.name = "Many Subs Shell";
    plugin.shells = g_shells;
    plugin.shellCount = kShellCount;
    plugin.onEntry = &Enter;
    plugin.category = kTestCategoryShell;
}
