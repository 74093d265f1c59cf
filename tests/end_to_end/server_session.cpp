#include "tests/end_to_end/server_session.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace heliodrum_test {

std::string Arch() { return sizeof(void*) == 8 ? "x64" : "x86"; }

std::wstring ServerExecutable() {
    const std::string arch = Arch();
    return heliodrum::ExecutableFolder() + L"ScanServer-" + std::wstring(arch.begin(), arch.end()) + L".exe";
}

std::wstring PluginPath(const char* name) {
    const std::string leaf(name);
    return heliodrum::ExecutableFolder() + L"plugins\\" + std::wstring(leaf.begin(), leaf.end()) + L".dll";
}

std::string Utf8(const std::wstring& text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

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

CTempFolder::CTempFolder(const std::wstring& leaf) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    m_root = std::wstring(temp) + L"heliodrum-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    CreateDirectoryW(m_root.c_str(), nullptr);
    m_path = m_root;
    if (!leaf.empty()) {
        m_path += L"\\" + leaf;
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
}

CTempFolder::~CTempFolder() { RemoveTree(m_root); }

CServerSession::CServerSession(const std::wstring& dumpFolder, bool withInput) {
    heliodrum::SServerLaunch launch;
    launch.executable = ServerExecutable();
    launch.dumpFolder = dumpFolder;
    launch.withInput = withInput;
    std::string error;
    if (!m_server.Start(launch, error)) {
        ADD_FAILURE() << "starting the server: " << error;
        return;
    }
    m_started = true;
    if (withInput) {
        EXPECT_EQ(heliodrum::EAnswerEnd::kPrompt, m_server.ReadAnswer(m_banner, kAnswerTimeoutMs));
    }
}

std::vector<std::string> CServerSession::Ask(const std::string& request) {
    Send(request + "\n");
    std::vector<std::string> lines;
    EXPECT_EQ(heliodrum::EAnswerEnd::kPrompt, Read(lines)) << "no prompt after " << request;
    return lines;
}

void CServerSession::Send(const std::string& bytes) { EXPECT_TRUE(m_server.Write(bytes)); }

heliodrum::EAnswerEnd CServerSession::Read(std::vector<std::string>& lines, DWORD timeoutMs) {
    // without a server there is nothing to wait for
    if (!m_started) return heliodrum::EAnswerEnd::kClosed;
    return m_server.ReadAnswer(lines, timeoutMs);
}

std::vector<std::string> CServerSession::Stop(DWORD& exitCode) {
    m_server.CloseInput();
    exitCode = 0xDEAD;
    EXPECT_TRUE(m_server.WaitForExit(kAnswerTimeoutMs, exitCode));
    return m_server.TakeLines();
}

DWORD CServerSession::WaitForEnd() {
    DWORD exitCode = 0xDEAD;
    EXPECT_TRUE(m_server.WaitForExit(kAnswerTimeoutMs, exitCode));
    return exitCode;
}

std::vector<std::string> ReportOf(const std::vector<std::string>& answer) {
    std::vector<std::string> report;
    bool inside = false;
    for (const std::string& line : answer) {
        if (line == ">:{") inside = true;
        if (inside && line.compare(0, 2, ">:") == 0) report.push_back(line.substr(2));
    }
    return report;
}

std::vector<std::string> ProgressOf(const std::vector<std::string>& answer) {
    std::vector<std::string> progress;
    for (const std::string& line : answer) {
        if (line == ">:{") break;
        progress.push_back(line);
    }
    return progress;
}

std::string Field(const std::vector<std::string>& answer, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    for (const std::string& line : ReportOf(answer)) {
        const size_t at = line.find(key);
        if (at == std::string::npos) continue;
        std::string value = line.substr(at + key.size());
        value.erase(0, value.find_first_not_of(' '));
        if (!value.empty() && value.back() == ',') value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        return value;
    }
    return "<missing " + name + ">";
}

}  // namespace heliodrum_test
