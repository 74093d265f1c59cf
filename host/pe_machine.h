#pragma once
#include <string>

namespace heliodrum {

enum class EModuleKind {
    kX86,         // 32-bit x86 PE image: the x86 server scans it
    kX64,         // x86-64 PE image: the x64 server scans it
    kOtherMachine,
    kNotPe,
    kUnreadable,
};

// Reads the PE header's machine field; `reason` explains anything but x86/x64.
EModuleKind ReadModuleKind(const std::wstring& path, std::string& reason);

const char* ArchitectureName(EModuleKind kind);  // "x86", "x64" or ""

}  // namespace heliodrum
