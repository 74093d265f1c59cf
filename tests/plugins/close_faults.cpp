// Writes through a null pointer inside effClose, a real access violation that
// nothing in the plug-in handles.
#include "tests/plugins/plugin_kit.h"

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Faults In Close";
    plugin.product = "Close Product";
    plugin.uniqueID = 0x436C4676;  // 'ClFv'
    plugin.numInputs = 1;
    plugin.numOutputs = 1;
    plugin.vendorVersion = 1234;
    plugin.onClose = &WriteThroughNull;
}
