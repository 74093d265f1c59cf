// Faults inside effClose under a structured-exception frame of its own, which
// takes the fault before any handler further out sees it (the probe's guard
// among them), then returns normally.
#include "probe/guarded_call.h"
#include "tests/plugins/plugin_kit.h"

namespace {

void Fault(void* /*argument*/) { WriteThroughNull(); }

void Close() {
    if (!CallGuarded(&Fault, nullptr)) NoteInLog("handled its own fault");
    NoteInLog("went on after the fault");
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Handles Fault In Close";
    plugin.onClose = &Close;
}
