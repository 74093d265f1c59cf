// The plug-in list on disk: valid JSON that reads back to the same entries,
// replaced whole or not at all, and never trusted blindly when read.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "host/plugin_list.h"
#include "host/utf8_text.h"
#include "tests/support/test_files.h"

namespace heliodrum_test {
namespace {

using heliodrum::EScanStatus;
using heliodrum::SPluginEntry;

std::vector<SPluginEntry> SampleEntries() {
    SPluginEntry shell;
    shell.path = "C:\\plugins\\Caf\xC3\xA9 \"shell\".dll";
    shell.architecture = "x86";
    shell.status = EScanStatus::kOk;
    shell.hasReport = true;
    shell.report.id = 0xFFFFFFFF;
    shell.report.name = "Shell\nName\t\x01";
    shell.report.category = 10;
    shell.report.platform = "x86";
    shell.report.numInputs = -3;
    shell.report.audio64 = true;
    shell.report.shells = {{0x22, "Beta"}, {0x11, "Alpha"}};
    shell.info = {"Scanning plugin: 'x'", "Finished"};
    shell.warn = {"Unhandled audioMaster opCode - 38"};
    shell.seconds = 0.125;
    shell.size = 5000000000ULL;
    shell.modified = "2026-12-11T02:48:28.1234567Z";

    SPluginEntry sub = shell;
    sub.isSubPlugin = true;
    sub.subId = 0x22;
    sub.subName = "Beta";
    sub.status = EScanStatus::kCrashed;
    sub.reason = "the server ended with exit code 9 (0x00000009)";
    sub.dump = "C:\\dumps\\ScanServer-x86.mdmp";
    sub.hasReport = false;
    sub.report = heliodrum::SPluginReport();
    return {shell, sub};
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(heliodrum::ToUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::wstring& path, const std::string& text) {
    std::ofstream out(heliodrum::ToUtf8(path), std::ios::binary);
    out << text;
}

TEST(PluginList, RoundTripsEveryFieldThroughValidJson) {
    const std::vector<SPluginEntry> entries = SampleEntries();
    const std::string text = heliodrum::ListToJsonText(entries);
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << "not valid JSON";
    EXPECT_EQ("FFFFFFFF", json["plugins"][0]["report"]["id"]);
    EXPECT_EQ("00000022", json["plugins"][0]["report"]["shells"][0]["id"]) << "shells keep their order";
    EXPECT_TRUE(json["plugins"][0]["subId"].is_null());
    EXPECT_EQ("00000022", json["plugins"][1]["subId"]);
    EXPECT_TRUE(json["plugins"][1]["report"].is_null());

    std::vector<SPluginEntry> back;
    size_t skipped = 99;
    std::string problem;
    ASSERT_TRUE(heliodrum::ListFromJsonText(text, back, skipped, problem)) << problem;
    EXPECT_EQ(0u, skipped);
    ASSERT_EQ(2u, back.size());
    EXPECT_EQ(text, heliodrum::ListToJsonText(back)) << "nothing lost on the way back";
}

TEST(PluginList, TextThatIsNotUtf8IsMendedNotFatal) {
    std::vector<SPluginEntry> entries = SampleEntries();
    entries[0].info.push_back("broken \xC3 byte");
    const std::string text = heliodrum::ListToJsonText(entries);
    EXPECT_FALSE(nlohmann::json::parse(text, nullptr, false).is_discarded());
}

TEST(PluginList, ReadingRejectsForeignFilesAndSkipsBrokenEntries) {
    std::vector<SPluginEntry> entries;
    size_t skipped = 0;
    std::string problem;
    EXPECT_FALSE(heliodrum::ListFromJsonText("{\"list\": ", entries, skipped, problem));
    EXPECT_FALSE(heliodrum::ListFromJsonText("[1,2]", entries, skipped, problem));
    EXPECT_FALSE(heliodrum::ListFromJsonText("{\"list\":\"Heliodrum plug-in list\",\"version\":2,\"plugins\":[]}",
                                             entries, skipped, problem));

    nlohmann::json json = nlohmann::json::parse(heliodrum::ListToJsonText(SampleEntries()));
    json["plugins"][0]["status"] = "splendid";
    json["plugins"].push_back(42);
    json["plugins"].push_back({{"path", 7}});
    ASSERT_TRUE(heliodrum::ListFromJsonText(json.dump(), entries, skipped, problem)) << problem;
    EXPECT_EQ(1u, entries.size());
    EXPECT_EQ(3u, skipped);
}

TEST(PluginList, SavingReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
    CScratchFolder folder;
    const std::wstring path = folder.Path() + L"\\list.json";
    std::string problem;
    WriteText(path, "old");
    ASSERT_TRUE(heliodrum::SaveList(path, SampleEntries(), problem)) << problem;
    EXPECT_EQ(heliodrum::ListToJsonText(SampleEntries()), ReadFile(path));

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder.Path() + L"\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(1, files);

    std::vector<SPluginEntry> loaded;
    size_t skipped = 0;
    ASSERT_TRUE(heliodrum::LoadList(path, loaded, skipped, problem)) << problem;
    EXPECT_EQ(2u, loaded.size());
    ASSERT_TRUE(heliodrum::LoadList(folder.Path() + L"\\none.json", loaded, skipped, problem));
    EXPECT_TRUE(loaded.empty()) << "no list yet is an empty list";
}

TEST(PluginList, AFailedSaveKeepsTheOldList) {
    CScratchFolder folder;
    // the list's name is taken by a folder: the rename must fail
    const std::wstring path = folder.Path() + L"\\list.json";
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    std::string problem;
    EXPECT_FALSE(heliodrum::SaveList(path, SampleEntries(), problem));
    EXPECT_FALSE(problem.empty());
    const DWORD attributes = GetFileAttributesW((path + L".partial-" + std::to_wstring(GetCurrentProcessId())).c_str());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, attributes) << "the temporary file is removed";

    EXPECT_FALSE(heliodrum::SaveList(folder.Path() + L"\\missing\\list.json", SampleEntries(), problem));
}

TEST(PluginList, SortingPutsEachShellBeforeItsSubPluginsByPathWithoutCase) {
    std::vector<SPluginEntry> entries(4);
    entries[0].path = "C:\\b.dll";
    entries[1].path = "C:\\A.dll";
    entries[1].isSubPlugin = true;
    entries[1].subId = 0x22;
    entries[2].path = "c:\\a.dll";
    entries[3].path = "C:\\A.dll";
    entries[3].isSubPlugin = true;
    entries[3].subId = 0x11;
    heliodrum::SortEntries(entries);
    EXPECT_EQ("c:\\a.dll", entries[0].path);
    EXPECT_EQ(0x11u, entries[1].subId);
    EXPECT_EQ(0x22u, entries[2].subId);
    EXPECT_EQ("C:\\b.dll", entries[3].path);
}

}  // namespace
}  // namespace heliodrum_test
