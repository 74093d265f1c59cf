// An AEffect whose magic is not 'VstP'; any dispatcher call is recorded.
#include "tests/plugins/plugin_kit.h"

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.magic = 0x46616B65;  // 'Fake'
    plugin.name = "Bad Magic";
}
