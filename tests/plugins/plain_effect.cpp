// A plain stereo effect that answers every question and asks nothing. Built
// under several names (TEST_PLUGIN_TARGET), with different exports, resources
// and, for one, a version number of its own (TEST_PLUGIN_VENDOR_VERSION).
#include "tests/plugins/plugin_kit.h"

#ifndef TEST_PLUGIN_VENDOR_VERSION
#define TEST_PLUGIN_VENDOR_VERSION 0
#endif

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = TEST_PLUGIN_TARGET;
    plugin.product = "Plain Product";
    plugin.uniqueID = 0x506C4566;  // 'PlEf'
    plugin.numInputs = 2;
    plugin.numOutputs = 2;
    plugin.flags = effFlagsCanDoubleReplacing;
    plugin.category = kTestCategoryEffect;
    plugin.vendorVersion = TEST_PLUGIN_VENDOR_VERSION;
}
