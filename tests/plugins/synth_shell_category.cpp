// A synth (effFlagsIsSynth) that claims to be a shell and would name
// sub-plug-ins if asked: the synth flag must win and it must not be asked.
#include "tests/plugins/plugin_kit.h"

namespace {
const STestShellEntry kShells[] = {{0x51, "Never Asked"}};
}

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Synth Claiming Shell";
    plugin.product = "Synth Product";
    plugin.uniqueID = 0x53796E74;  // 'Synt'
    plugin.numInputs = 0;
    plugin.numOutputs = 2;
    plugin.flags = effFlagsIsSynth;
    plugin.category = kTestCategoryShell;
    plugin.canDo[0] = 1;  // receiveVstMidiEvent
    plugin.shells = kShells;
    plugin.shellCount = 1;
}
