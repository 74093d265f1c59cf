// Calls the host from inside its entry point: asks for MIDI, the current
// shell id, a few capabilities (one with no text at all), the host's version,
// vendor and product (once with no buffer), and an opcode no host knows. Says
// no (-1) to every capability it is asked about itself.
#include "tests/plugins/plugin_kit.h"

namespace {

AEffect* Enter(AEffect* effect) {
    CallHost(audioMasterWantMidi, nullptr);
    CallHost(audioMasterCurrentId, nullptr);
    char capability[] = "ShellCategory";
    CallHost(audioMasterCanDo, capability);
    char unknownCapability[] = "openFileSelector";
    CallHost(audioMasterCanDo, unknownCapability);
    CallHost(audioMasterCanDo, nullptr);
    CallHost(audioMasterVersion, nullptr);
    char vendor[64];
    CallHost(audioMasterGetVendorString, vendor);
    char product[64];
    CallHost(audioMasterGetProductString, product);
    CallHost(audioMasterGetVendorString, nullptr);
    CallHost(audioMasterGetLanguage, nullptr);
    return effect;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Calls Host";
    plugin.uniqueID = 0x43616C6C;  // 'Call'
    plugin.numInputs = 0;
    plugin.category = kTestCategorySynth;
    plugin.onEntry = &Enter;
}
