// Throws a C++ exception inside effClose and catches it itself, then goes on
// and returns normally. Nothing of this may count as a fault.
#include <stdexcept>

#include "tests/plugins/plugin_kit.h"

namespace {

[[noreturn]] __attribute__((noinline)) void Throw() { throw std::runtime_error("thrown inside effClose"); }

void Close() {
    try {
        Throw();
    } catch (const std::runtime_error& error) {
        NoteInLog(error.what());
    }
    NoteInLog("went on after the catch");
}

}  // namespace

void DescribeTestPlugin(STestPlugin& plugin) {
    plugin.name = "Catches In Close";
    plugin.onClose = &Close;
}
