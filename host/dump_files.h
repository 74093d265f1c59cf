#pragma once
#include <set>
#include <string>

namespace heliodrum {

// The minidump files (*.mdmp) in a folder, by full path. A server's crash is
// matched to its dump by comparing the folder before and after.
std::set<std::wstring> ListDumpFiles(const std::wstring& folder);

}  // namespace heliodrum
