// Never returns from its entry point. For the end-to-end tests only.
#include <windows.h>

#include "tests/plugins/plugin_kit.h"

namespace {

AEffect* Enter(AEffect* effect) {
    Sleep(INFINITE);
    return effect;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) { plugin.onEntry = &Enter; }
