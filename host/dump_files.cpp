#include "host/dump_files.h"

#include <windows.h>

namespace heliodrum {

std::set<std::wstring> ListDumpFiles(const std::wstring& folder) {
    std::set<std::wstring> files;
    if (folder.empty()) return files;
    std::wstring prefix = folder;
    if (prefix.back() != L'\\' && prefix.back() != L'/') prefix += L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((prefix + L"*.mdmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.insert(prefix + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

}  // namespace heliodrum
