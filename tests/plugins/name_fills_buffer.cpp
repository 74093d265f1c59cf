// Fills the whole 512-byte name buffer without a NUL (A to Z over and over),
// and writes the vendor and product the usual way.
#include "tests/plugins/plugin_kit.h"

namespace {

bool Dispatch(int32_t opcode, void* ptr, VstIntPtr& answer) {
    if (opcode != effGetEffectName || !ptr) return false;
    char* out = static_cast<char*>(ptr);
    for (int32_t i = 0; i < 512; ++i) out[i] = static_cast<char>('A' + i % 26);
    answer = 1;
    return true;
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.product = "Full Buffer Product";
    plugin.onDispatch = &Dispatch;
}
