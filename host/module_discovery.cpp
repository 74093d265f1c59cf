#include "host/module_discovery.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "host/utf8_text.h"

namespace heliodrum {

namespace {

bool HasDllExtension(const std::wstring& name) {
    return name.size() > 4 && FoldCase(name.substr(name.size() - 4)) == L".dll";
}

SModuleFile DescribeModule(const std::wstring& path, const WIN32_FILE_ATTRIBUTE_DATA& data) {
    SModuleFile module;
    module.path = path;
    module.stamp.size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    module.stamp.modified = FileTimeText(static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                                         data.ftLastWriteTime.dwLowDateTime);
    module.kind = ReadModuleKind(path, module.reason);
    return module;
}

void Walk(const std::wstring& folder, std::vector<SModuleFile>& modules, std::vector<std::string>& problems) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        problems.push_back("cannot list " + ToUtf8(folder) + " (error " + std::to_string(GetLastError()) + ")");
        return;
    }
    std::vector<std::wstring> folders;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) folders.push_back(path);
            continue;
        }
        if (!HasDllExtension(name)) continue;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
            modules.push_back(DescribeModule(path, data));
        } else {
            SModuleFile module;
            module.path = path;
            module.kind = EModuleKind::kUnreadable;
            module.reason = "cannot read the file's attributes (error " + std::to_string(GetLastError()) + ")";
            modules.push_back(module);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (const std::wstring& child : folders) Walk(child, modules, problems);
}

}  // namespace

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameW(path.c_str(), sizeof buffer / sizeof buffer[0], buffer, nullptr);
    std::wstring full = length > 0 && length < sizeof buffer / sizeof buffer[0] ? std::wstring(buffer, length) : path;
    // a drive root keeps its separator: "C:" alone would mean the drive's current folder
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    return full;
}

std::string FileTimeText(unsigned long long fileTime) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(fileTime);
    time.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SYSTEMTIME parts;
    if (!FileTimeToSystemTime(&time, &parts)) return std::to_string(fileTime);
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%07uZ", parts.wYear, parts.wMonth, parts.wDay,
                  parts.wHour, parts.wMinute, parts.wSecond, static_cast<unsigned>(fileTime % 10000000ULL));
    return text;
}

std::vector<SModuleFile> DiscoverModules(const std::vector<std::wstring>& roots, std::vector<std::string>& problems) {
    std::vector<SModuleFile> modules;
    for (const std::wstring& root : roots) {
        const std::wstring full = FullPath(root);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(full.c_str(), GetFileExInfoStandard, &data)) {
            problems.push_back("cannot find " + ToUtf8(full) + " (error " + std::to_string(GetLastError()) + ")");
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Walk(full.size() == 3 ? full.substr(0, 2) : full, modules, problems);
        else
            modules.push_back(DescribeModule(full, data));
    }
    std::stable_sort(modules.begin(), modules.end(), [](const SModuleFile& a, const SModuleFile& b) {
        return FoldCase(a.path) < FoldCase(b.path);
    });
    std::set<std::wstring> seen;
    modules.erase(std::remove_if(modules.begin(), modules.end(),
                                 [&](const SModuleFile& module) { return !seen.insert(FoldCase(module.path)).second; }),
                  modules.end());
    return modules;
}

}  // namespace heliodrum
