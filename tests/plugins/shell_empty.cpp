// A shell whose first answer to effShellGetNextPlugin is 0.
#include "tests/plugins/plugin_kit.h"

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Empty Shell";
    plugin.uniqueID = 0x53684D74;  // 'ShMt'
    plugin.category = kTestCategoryShell;
}
