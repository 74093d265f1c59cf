#include "host/pe_machine.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace heliodrum {

namespace {

bool ReadAt(HANDLE file, DWORD offset, void* into, DWORD bytes) {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD read = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, into, bytes, &read, nullptr) &&
           read == bytes;
}

}  // namespace

EModuleKind ReadModuleKind(const std::wstring& path, std::string& reason) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = "cannot open the file (error " + std::to_string(GetLastError()) + ")";
        return EModuleKind::kUnreadable;
    }
    EModuleKind kind = EModuleKind::kNotPe;
    uint8_t dos[64];
    uint8_t signature[6];
    if (!ReadAt(file, 0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') {
        reason = "not a Windows module (no MZ header)";
    } else {
        uint32_t peOffset;
        std::memcpy(&peOffset, dos + 0x3C, 4);
        if (!ReadAt(file, peOffset, signature, sizeof signature) || std::memcmp(signature, "PE\0\0", 4) != 0) {
            reason = "not a Windows module (no PE header)";
        } else {
            const uint16_t machine = static_cast<uint16_t>(signature[4] | signature[5] << 8);
            if (machine == 0x014C) {
                kind = EModuleKind::kX86;
            } else if (machine == 0x8664) {
                kind = EModuleKind::kX64;
            } else {
                char text[64];
                std::snprintf(text, sizeof text, "built for another machine (0x%04X)", machine);
                reason = text;
                kind = EModuleKind::kOtherMachine;
            }
        }
    }
    CloseHandle(file);
    return kind;
}

const char* ArchitectureName(EModuleKind kind) {
    switch (kind) {
        case EModuleKind::kX86: return "x86";
        case EModuleKind::kX64: return "x64";
        default: return "";
    }
}

}  // namespace heliodrum
