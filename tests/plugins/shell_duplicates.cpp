// A shell whose answers repeat an id, whose names hold bytes above 0x7F and a
// line feed, and which names one sub-plug-in without writing a name at all.
#include "tests/plugins/plugin_kit.h"

namespace {
const STestShellEntry kShells[] = {
    {0x11, "Caf\xE9 \xFF"},
    {0x22, "Two\nLines"},
    {0x11, "Dropped Name"},
    {0x33, nullptr},
    {static_cast<int32_t>(0x80000000u), "Top Bit"},
};
}

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Shell With Duplicates";
    plugin.product = "Shell Product";
    plugin.uniqueID = 0x5368446C;  // 'ShDl'
    plugin.category = kTestCategoryShell;
    plugin.shells = kShells;
    plugin.shellCount = sizeof(kShells) / sizeof(kShells[0]);
}
