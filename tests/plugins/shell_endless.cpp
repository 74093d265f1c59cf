// A shell that never answers 0: it names sub-plug-ins 1, 2, 3, ... for as
// long as it is asked, without writing their names.
#include "tests/plugins/plugin_kit.h"

namespace {

int32_t g_lastId = 0;

bool Dispatch(int32_t opcode, void* /*ptr*/, VstIntPtr& answer) {
    if (opcode != effShellGetNextPlugin) return false;
    answer = ++g_lastId;
    return true;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Endless Shell";
    plugin.uniqueID = 0x53684E64;  // 'ShNd'
    plugin.category = kTestCategoryShell;
    plugin.onDispatch = &Dispatch;
    g_lastId = 0;
}
