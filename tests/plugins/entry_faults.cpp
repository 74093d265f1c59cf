// Writes through a null pointer inside its entry point. For the end-to-end
// tests only: the fault ends the process that loads it.
#include "tests/plugins/plugin_kit.h"

namespace {

AEffect* Enter(AEffect* effect) {
    WriteThroughNull();
    return effect;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) { plugin.onEntry = &Enter; }
