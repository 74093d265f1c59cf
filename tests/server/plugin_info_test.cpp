#include <gtest/gtest.h>

#include <string>

#include "server/plugin_info.h"
#include "tests/support/pipe_capture.h"

namespace {

const std::string kArch = sizeof(void*) == 8 ? "x64" : "x86";

std::string ReportOf(const CPluginInfo& info) {
    CPipeCapture pipe;
    WriteReport(info);
    return pipe.Take();
}

std::string Body(const std::string& id, const std::string& name, const std::string& category) {
    return ">:{\n"
           ">:  \"id\":        \"" + id + "\",\n"
           ">:  \"name\":      \"" + name + "\",\n"
           ">:  \"vendor\":    \"\",\n"
           ">:  \"product\":   \"\",\n"
           ">:  \"version\":   \"\",\n"
           ">:  \"error\":     \"\",\n"
           ">:  \"numInputs\": 0,\n"
           ">:  \"numOutputs\":0,\n"
           ">:  \"wantsMidi\":  false,\n"
           ">:  \"sendsMidi\": false,\n"
           ">:  \"platform\":  \"" + kArch + "\",\n"
           ">:  \"audio64\":   false,\n"
           ">:  \"category\":  " + category + ",\n"
           ">:  \"synthEdit\": false,\n";
}

void AddShell(CPluginInfo& info, int id, const wchar_t* name) {
    CShellInfo* shell = new CShellInfo;
    shell->id = id;
    shell->name = CWideString::From(name);
    info.shells.Add(shell);
}

TEST(Report, ADefaultRecord) {
    CPluginInfo info;
    EXPECT_EQ(Body("00000000", "", "-1") + ">:}\n", ReportOf(info));
}

TEST(Report, EveryFieldInItsPlace) {
    CPluginInfo info;
    info.id = static_cast<int32_t>(0x80000001u);
    info.name = CWideString::From(L"Name");
    info.vendor = CWideString::From(L"Vendor");
    info.product = CWideString::From(L"Product");
    info.version = CWideString::From(L"1.2.3.4");
    info.error = CWideString::From(L"Bad magic");
    info.numInputs = 2;
    info.numOutputs = -3;
    info.wantsMidi = true;
    info.sendsMidi = true;
    info.audio64 = true;
    info.synthEdit = true;
    info.category = 5;
    AddShell(info, 0x11, L"ignored: not a shell");
    EXPECT_EQ(">:{\n"
              ">:  \"id\":        \"80000001\",\n"
              ">:  \"name\":      \"Name\",\n"
              ">:  \"vendor\":    \"Vendor\",\n"
              ">:  \"product\":   \"Product\",\n"
              ">:  \"version\":   \"1.2.3.4\",\n"
              ">:  \"error\":     \"Bad magic\",\n"
              ">:  \"numInputs\": 2,\n"
              ">:  \"numOutputs\":-3,\n"
              ">:  \"wantsMidi\":  true,\n"
              ">:  \"sendsMidi\": true,\n"
              ">:  \"platform\":  \"" + kArch + "\",\n"
              ">:  \"audio64\":   true,\n"
              ">:  \"category\":  5,\n"
              ">:  \"synthEdit\": true,\n"
              ">:}\n",
              ReportOf(info));
}

TEST(Report, ShellBlockDependsOnTheCategoryAlone) {
    CPluginInfo shell;
    shell.category = kPlugCategShell;
    shell.id = 0x1A4;
    AddShell(shell, 0x11, L"Alpha");
    AddShell(shell, 0x22, L"Be\"ta");
    EXPECT_EQ(Body("000001A4", "", "10") +
                  ">:  \"shells\": {\n"
                  ">:        \"00000011\": \"Alpha\",\n"
                  ">:        \"00000022\": \"Be\\\"ta\",\n"
                  ">:  },\n"
                  ">:}\n",
              ReportOf(shell));

    CPluginInfo emptyShell;
    emptyShell.category = kPlugCategShell;
    EXPECT_EQ(Body("00000000", "", "10") + ">:  \"shells\": {\n>:  },\n>:}\n", ReportOf(emptyShell));

    CPluginInfo synth;
    synth.category = kPlugCategSynth;
    AddShell(synth, 0x11, L"Alpha");
    EXPECT_EQ(Body("00000000", "", "2") + ">:}\n", ReportOf(synth));
}

TEST(Report, TheWorkedEscapingExampleOnTheNameLine) {
    CPluginInfo info;
    info.name = CWideString::From(L"A/B \"x\u00e9\"\t");
    const std::string report = ReportOf(info);
    EXPECT_NE(std::string::npos, report.find(">:  \"name\":      \"A\\/B \\\"x\\u00e9\\\"\\t\",\n")) << report;
}

TEST(JsonEscape, Table) {
    const struct {
        const wchar_t* input;
        const wchar_t* expected;
    } cases[] = {
        {L"\"", L"\\\""},          {L"\\", L"\\\\"},          {L"/", L"\\/"},
        {L"\b", L"\\b"},           {L"\f", L"\\f"},           {L"\n", L"\\n"},
        {L"\r", L"\\r"},           {L"\t", L"\\t"},           {L"\x14\x1f", L"\\u0014\\u001f"},
        {L"\x7f", L"\\u007f"},     {L"\x20ac", L"\\u20ac"},   {L"\xD83D\xDE00", L"\\ud83d\\ude00"},
        {L" ~az", L" ~az"},        {L"\x0001", L"\\u0001"},   {L"\x00ff", L"\\u00ff"},
    };
    for (const auto& c : cases) {
        const CWideString escaped = JsonEscape(CWideString::From(c.input));
        EXPECT_EQ(std::wstring(c.expected), escaped.Text());
    }
}

TEST(JsonEscape, AbsentAndEmptyGiveTheEmptyText) {
    const CWideString fromAbsent = JsonEscape(CWideString());
    EXPECT_FALSE(fromAbsent.IsAbsent());
    EXPECT_EQ(0, fromAbsent.GetLength());
    CWideString empty;
    empty.Assign(L"", 0);
    EXPECT_FALSE(JsonEscape(empty).IsAbsent());
}

}  // namespace
