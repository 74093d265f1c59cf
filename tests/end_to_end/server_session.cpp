#include "tests/end_to_end/server_session.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace heliodrum_test {

CServerSession::CServerSession(const std::wstring& dumpFolder, bool withInput) {
    heliodrum::SServerLaunch launch;
    launch.executable = ServerOfThisBuild();
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
