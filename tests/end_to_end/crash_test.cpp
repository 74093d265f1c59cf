// A plug-in that faults ends the server with exit code 9 and, when the host
// named a dump folder that can take it, a minidump named after the local time.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "host/dump_files.h"
#include "tests/end_to_end/plugin_names.h"
#include "host/utf8_text.h"
#include "tests/end_to_end/server_session.h"

namespace heliodrum_test {
namespace {

// Asks for a plug-in that crashes the server and returns the exit code.
DWORD CrashWith(const char* plugin, const std::wstring& dumpFolder) {
    CServerSession server(dumpFolder);
    server.Send(heliodrum::ToUtf8(TestPluginPath(plugin)) + "\n");
    std::vector<std::string> answer;
    EXPECT_EQ(heliodrum::EAnswerEnd::kClosed, server.Read(answer)) << "the answer pipe breaks, no prompt";
    EXPECT_FALSE(answer.empty());
    for (const std::string& line : answer) EXPECT_NE("info:Finished", line);
    return server.WaitForEnd();
}

bool IsDumpName(const std::wstring& path) {
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    const std::string arch = BuildArch();
    const std::wstring prefix = L"ScanServer-" + std::wstring(arch.begin(), arch.end()) + L"-";
    // ScanServer-x86-YYYY-MM-DD-hh-mm-ss.mdmp
    if (name.size() != prefix.size() + 19 + 5 || name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::wstring stamp = name.substr(prefix.size(), 19);
    for (size_t i = 0; i < stamp.size(); ++i) {
        const bool dash = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
        if (dash ? stamp[i] != L'-' : !iswdigit(stamp[i])) return false;
    }
    return name.compare(name.size() - 5, 5, L".mdmp") == 0;
}

bool IsMinidump(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return false;
    char signature[4] = {};
    const bool read = fread(signature, 1, 4, file) == 4;
    fseek(file, 0, SEEK_END);
    const long size = ftell(file);
    fclose(file);
    return read && std::memcmp(signature, "MDMP", 4) == 0 && size > 1024;
}

TEST(CrashDump, AFaultInTheEntryPointLeavesOneDumpAndExitCode9) {
    CScratchFolder folder;
    EXPECT_EQ(9u, CrashWith(kEntryFaultPlugin, folder.Path()));
    const auto dumps = heliodrum::ListDumpFiles(folder.Path());
    ASSERT_EQ(1u, dumps.size());
    EXPECT_TRUE(IsDumpName(*dumps.begin())) << heliodrum::ToUtf8(*dumps.begin());
    EXPECT_TRUE(IsMinidump(*dumps.begin()));
}

TEST(CrashDump, AFaultOnAPluginThreadEndsTheProcessToo) {
    CScratchFolder folder;
    EXPECT_EQ(9u, CrashWith(kThreadFaultPlugin, folder.Path()));
    const auto dumps = heliodrum::ListDumpFiles(folder.Path());
    ASSERT_EQ(1u, dumps.size());
    EXPECT_TRUE(IsMinidump(*dumps.begin()));
}

TEST(CrashDump, NoUsableFolderMeansNoFileButStillExitCode9) {
    EXPECT_EQ(9u, CrashWith(kEntryFaultPlugin, L"")) << "no dump folder";

    CScratchFolder parent;
    const std::wstring absent = parent.Path() + L"\\not-there";
    EXPECT_EQ(9u, CrashWith(kEntryFaultPlugin, absent));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(absent.c_str())) << "the folder is not created";
}

// A folder path of exactly `units` UTF-16 units, created.
std::wstring FolderOfLength(const std::wstring& root, size_t units) {
    std::wstring path = root;
    while (path.size() < units) {
        const size_t room = units - path.size() - 1;  // one unit for the separator
        path += L"\\" + std::wstring(room < 100 ? room : 100, L'd');
        if (path.size() + 1 == units) path += L"e";  // never end on a 0-unit leaf
        CreateDirectoryW(path.c_str(), nullptr);
    }
    return path;
}

TEST(CrashDump, TheDumpPathMustFitIn260Units) {
    CScratchFolder root;
    const std::wstring fits = FolderOfLength(root.Path(), 219);
    ASSERT_EQ(219u, fits.size());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(fits.c_str()));
    EXPECT_EQ(9u, CrashWith(kEntryFaultPlugin, fits));
    EXPECT_EQ(1u, heliodrum::ListDumpFiles(fits).size()) << "219 units give a 259-unit path";

    CScratchFolder other;
    const std::wstring tooLong = FolderOfLength(other.Path(), 220);
    ASSERT_EQ(220u, tooLong.size());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(tooLong.c_str()));
    EXPECT_EQ(9u, CrashWith(kEntryFaultPlugin, tooLong));
    EXPECT_TRUE(heliodrum::ListDumpFiles(tooLong).empty()) << "never a shortened path";
}

TEST(CrashDump, AFaultInsideEffCloseStillGetsACompleteReport) {
    CScratchFolder folder;
    CServerSession server(folder.Path());
    const auto answer = server.Ask(heliodrum::ToUtf8(TestPluginPath(kCloseFaultPlugin)));
    const auto progress = ProgressOf(answer);
    ASSERT_GE(progress.size(), 3u);
    EXPECT_EQ("info:Dispatching effClose...", progress[progress.size() - 3]);
    EXPECT_EQ("info:Freeing library...", progress[progress.size() - 2]);
    EXPECT_EQ("info:Finished", progress.back());
    EXPECT_EQ("}", ReportOf(answer).back());
    EXPECT_EQ("", Field(answer, "error"));
    EXPECT_TRUE(heliodrum::ListDumpFiles(folder.Path()).empty());
    DWORD exitCode;
    server.Stop(exitCode);
    EXPECT_EQ(0u, exitCode);
}

}  // namespace
}  // namespace heliodrum_test
