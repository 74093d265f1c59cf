// The request side of the protocol through a real server: prompt, one request
// per read, the first line of a read only, orderly stop.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/end_to_end/server_session.h"

namespace heliodrum_test {
namespace {

// What LoadLibraryExW says about a path, as the server will report it.
std::string LoadError(const std::wstring& path) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD error = GetLastError();
    if (module) FreeLibrary(module);
    return "Failed to load library, err=" + std::to_string(static_cast<int>(error));
}

const std::string kMissing = "C:\\no such folder\\missing.dll";

TEST(RequestProtocol, BannerThenPromptAndAnOrderlyStop) {
    CServerSession server;
    EXPECT_EQ(std::vector<std::string>{"info:Heliodrum Plugin Scan Server (" + BuildArch() + ")"}, server.Banner());
    DWORD exitCode;
    EXPECT_TRUE(server.Stop(exitCode).empty()) << "nothing cached: no line at all";
    EXPECT_EQ(0u, exitCode);
}

TEST(RequestProtocol, AFailedLoadAnswersProgressErrorAndADefaultReport) {
    CServerSession server;
    const std::string error = LoadError(std::wstring(kMissing.begin(), kMissing.end()));
    const std::vector<std::string> expected = {
        "info:Scanning plugin: '" + kMissing + "'",
        "info:Loading library...",
        "error:" + error,
        ">:{",
        ">:  \"id\":        \"00000000\",",
        ">:  \"name\":      \"\",",
        ">:  \"vendor\":    \"\",",
        ">:  \"product\":   \"\",",
        ">:  \"version\":   \"\",",
        ">:  \"error\":     \"" + error + "\",",
        ">:  \"numInputs\": 0,",
        ">:  \"numOutputs\":0,",
        ">:  \"wantsMidi\":  false,",
        ">:  \"sendsMidi\": false,",
        ">:  \"platform\":  \"" + BuildArch() + "\",",
        ">:  \"audio64\":   false,",
        ">:  \"category\":  -1,",
        ">:  \"synthEdit\": false,",
        ">:}",
    };
    EXPECT_EQ(expected, server.Ask(kMissing));
}

TEST(RequestProtocol, TheRequestTextAsTheServerSeesIt) {
    CServerSession server;
    const struct {
        std::string sent;         // bytes written, in one write
        std::string scanningLine;  // what the server says it scans
    } cases[] = {
        {"\n", "info:Scanning plugin: ''"},
        {">2A\n", "info:Scanning plugin: '>2A'"},
        {"C:\\a.dll\r\n", "info:Scanning plugin: 'C:\\a.dll\r'"},
        {"C:\\caf\xC3\xA9.dll\n", "info:Scanning plugin: 'C:\\caf\xC3\xA9.dll'"},
        {"C:\\a.dll>1>2\n", "info:Scanning plugin: 'C:\\a.dll>1>2'"},
        {std::string("C:\\stop\0after.dll\n", 18), "info:Scanning plugin: 'C:\\stop'"},
    };
    for (const auto& c : cases) {
        server.Send(c.sent);
        std::vector<std::string> answer;
        ASSERT_EQ(heliodrum::EAnswerEnd::kPrompt, server.Read(answer));
        ASSERT_FALSE(answer.empty());
        EXPECT_EQ(c.scanningLine, answer[0]);
        EXPECT_EQ("info:Loading library...", answer[1]);
        EXPECT_EQ(0u, answer[2].find("error:Failed to load library, err=")) << answer[2];
    }
}

TEST(RequestProtocol, OnlyTheFirstLineOfAReadCounts) {
    CServerSession server;
    server.Send("C:\\first.dll\nC:\\second.dll\n");
    std::vector<std::string> answer;
    ASSERT_EQ(heliodrum::EAnswerEnd::kPrompt, server.Read(answer));
    EXPECT_EQ("info:Scanning plugin: 'C:\\first.dll'", answer[0]);
    // the second line was lost with its read: the next answer is for the next request
    EXPECT_EQ("info:Scanning plugin: 'C:\\third.dll'", server.Ask("C:\\third.dll")[0]);
}

TEST(RequestProtocol, ARequestSplitAcrossTwoWritesIsTwoRequests) {
    CServerSession server;
    server.Send("C:\\spl");
    std::vector<std::string> first;
    ASSERT_EQ(heliodrum::EAnswerEnd::kPrompt, server.Read(first));
    EXPECT_EQ("info:Scanning plugin: 'C:\\spl'", first[0]);
    EXPECT_EQ("info:Scanning plugin: 'it.dll'", server.Ask("it.dll")[0]);
}

TEST(RequestProtocol, LongRequestsArriveIn1023ByteReads) {
    CServerSession server;
    const std::string exact(1023, 'a');
    server.Send(exact);
    std::vector<std::string> answer;
    ASSERT_EQ(heliodrum::EAnswerEnd::kPrompt, server.Read(answer));
    EXPECT_EQ("info:Scanning plugin: '" + exact + "'", answer[0]);

    // longer than one read: the rest arrives as the next request, nothing is overrun
    server.Send(std::string(1023, 'b') + std::string(100, 'c') + "\n");
    std::vector<std::string> head, tail;
    ASSERT_EQ(heliodrum::EAnswerEnd::kPrompt, server.Read(head));
    ASSERT_EQ(heliodrum::EAnswerEnd::kPrompt, server.Read(tail));
    EXPECT_EQ("info:Scanning plugin: '" + std::string(1023, 'b') + "'", head[0]);
    EXPECT_EQ("info:Scanning plugin: '" + std::string(100, 'c') + "'", tail[0]);
}

TEST(RequestProtocol, WithoutAnInputHandleTheServerOnlyShowsItsBadge) {
    CServerSession server(L"", false);
    std::vector<std::string> lines;
    EXPECT_EQ(heliodrum::EAnswerEnd::kTimeout, server.Read(lines, 3000));
    EXPECT_EQ(std::vector<std::string>{"info:Heliodrum Plugin Scan Server (" + BuildArch() + ")"}, lines)
        << "banner, and no prompt";
    EXPECT_TRUE(server.Process().IsRunning());
    server.Process().Terminate();
}

}  // namespace
}  // namespace heliodrum_test
