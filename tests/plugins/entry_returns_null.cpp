// An entry point that hands back no AEffect.
#include "tests/plugins/plugin_kit.h"

namespace {
AEffect* Enter(AEffect* /*effect*/) { return nullptr; }
}

void DescribeTestPlugin(STestPlugin& plugin) { plugin.onEntry = &Enter; }
