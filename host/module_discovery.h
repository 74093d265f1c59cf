#pragma once
// Finds the plug-in modules under the folders a user names.
#include <string>
#include <vector>

#include "host/pe_machine.h"
#include "host/plugin_list.h"

namespace heliodrum {

struct SModuleFile {
    std::wstring path;  // full path
    SModuleStamp stamp;
    EModuleKind kind = EModuleKind::kUnreadable;
    std::string reason;  // why it is no module for either server
};

// Every .dll under the given folders (a named .dll file is taken as it is),
// in path order, each once. Linked folders are not followed, so a link back
// up the tree cannot make the walk endless. Folders that cannot be listed are
// named in `problems`.
std::vector<SModuleFile> DiscoverModules(const std::vector<std::wstring>& roots, std::vector<std::string>& problems);

// The full form of a path, without a trailing separator.
std::wstring FullPath(const std::wstring& path);

// The time as the list keeps it: 2026-12-11T02:48:28.1234567Z.
std::string FileTimeText(unsigned long long fileTime);

}  // namespace heliodrum
