#pragma once
// Files for tests that run servers: a temporary folder that goes away with
// the test, and where this build keeps its server and test plug-ins.
#include <string>

namespace heliodrum_test {

class CScratchFolder {
public:
    explicit CScratchFolder(const std::wstring& leaf = L"");
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_root;
    std::wstring m_path;
};

std::string BuildArch();                            // "x86" or "x64"
std::wstring ServerOfThisBuild();                   // bin\ScanServer-<arch>.exe
std::wstring TestPluginPath(const char* name);      // bin\plugins\<name>.dll

}  // namespace heliodrum_test
