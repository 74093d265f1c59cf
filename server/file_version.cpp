#include "server/file_version.h"

#include <cstring>
#include <vector>

#include "toolkit/format.h"

bool ReadFileVersion(const wchar_t* path, VS_FIXEDFILEINFO& info) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return false;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data())) return false;
    void* root = nullptr;
    UINT rootBytes = 0;
    if (!VerQueryValueW(data.data(), L"\\", &root, &rootBytes) || !root || rootBytes < 4) return false;
    // a root shorter than the whole structure fills what it has; the rest reads 0
    std::memset(&info, 0, sizeof info);
    std::memcpy(&info, root, rootBytes < sizeof info ? rootBytes : sizeof info);
    return true;
}

CWideString FormatFileVersion(const VS_FIXEDFILEINFO& info) {
    DWORD most = info.dwProductVersionMS;
    DWORD least = info.dwProductVersionLS;
    if (most == 0 && least == 0) {
        most = info.dwFileVersionMS;
        least = info.dwFileVersionLS;
    }
    if (most == 0 && least == 0) return CWideString();
    return Format(L"%i.%i.%i.%i", HIWORD(most), LOWORD(most), HIWORD(least), LOWORD(least));
}
