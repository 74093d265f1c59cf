#include "tests/support/test_files.h"

#include <windows.h>

#include "host/server_process.h"
#include "host/utf8_text.h"

namespace heliodrum_test {

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

CScratchFolder::CScratchFolder(const std::wstring& leaf) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    m_root = std::wstring(temp) + L"heliodrum-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    CreateDirectoryW(m_root.c_str(), nullptr);
    m_path = m_root;
    if (!leaf.empty()) {
        m_path += L"\\" + leaf;
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
}

CScratchFolder::~CScratchFolder() { RemoveTree(m_root); }

std::string BuildArch() { return sizeof(void*) == 8 ? "x64" : "x86"; }

std::wstring ServerOfThisBuild() {
    return heliodrum::ExecutableFolder() + L"ScanServer-" + heliodrum::FromUtf8(BuildArch()) + L".exe";
}

std::wstring TestPluginPath(const char* name) {
    return heliodrum::ExecutableFolder() + L"plugins\\" + heliodrum::FromUtf8(name) + L".dll";
}

}  // namespace heliodrum_test
