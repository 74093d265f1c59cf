#pragma once
// Drives one real scan server of the build's own architecture through the host
// side, as a host would, for end-to-end tests.
#include <string>
#include <vector>

#include "host/server_process.h"
#include "tests/support/test_files.h"

namespace heliodrum_test {

// Under qemu a 32-bit Wine process takes seconds to start; waits are generous
// but bounded, so a broken server fails a test instead of hanging the run.
constexpr DWORD kAnswerTimeoutMs = 60000;

class CServerSession {
public:
    // Starts the server and reads its banner and first prompt.
    explicit CServerSession(const std::wstring& dumpFolder = L"", bool withInput = true);

    // Sends "<request>\n" and returns the answer's lines up to the prompt.
    std::vector<std::string> Ask(const std::string& request);
    // Raw bytes, for requests that are not one clean line.
    void Send(const std::string& bytes);
    heliodrum::EAnswerEnd Read(std::vector<std::string>& lines, DWORD timeoutMs = kAnswerTimeoutMs);

    // Closes the request pipe and returns the lines written before exit.
    std::vector<std::string> Stop(DWORD& exitCode);
    // Waits for the process to end (after a crash) and returns its exit code.
    DWORD WaitForEnd();

    heliodrum::CServerProcess& Process() { return m_server; }
    const std::vector<std::string>& Banner() const { return m_banner; }

private:
    heliodrum::CServerProcess m_server;
    std::vector<std::string> m_banner;
    bool m_started = false;
};

// The report lines of an answer ("{" through "}"), without their ">:" tags.
std::vector<std::string> ReportOf(const std::vector<std::string>& answer);
// The lines before the report.
std::vector<std::string> ProgressOf(const std::vector<std::string>& answer);
// The value of one report member, e.g. Field(answer, "version") gives 1.2.3.4.
std::string Field(const std::vector<std::string>& answer, const std::string& name);

}  // namespace heliodrum_test
