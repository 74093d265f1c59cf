// Reading a server's answer back: exact about every report line, tolerant of
// the trailing commas the report always has and of progress lines that other
// plug-in threads put between its lines.
#include <gtest/gtest.h>

#include "host/answer_verdict.h"
#include "host/plugin_report.h"

namespace heliodrum_test {
namespace {

using heliodrum::AnswerIsComplete;
using heliodrum::ParseAnswer;
using heliodrum::SServerAnswer;

// A plain effect's answer, line for line as a server sends it.
std::vector<std::string> EffectAnswer() {
    return {
        "info:Scanning plugin: 'C:\\plugins\\fx.dll'",
        "info:Loading library...",
        "warn:Unhandled audioMaster opCode - 38",
        "info:Finished",
        ">:{",
        ">:  \"id\":        \"8000ABCD\",",
        ">:  \"name\":      \"A\\/B \\\"x\\u00e9\\\"\\t\",",
        ">:  \"vendor\":    \"Vendor\",",
        ">:  \"product\":   \"\",",
        ">:  \"version\":   \"1.2.3.4\",",
        ">:  \"error\":     \"\",",
        ">:  \"numInputs\": 2,",
        ">:  \"numOutputs\":-1,",
        ">:  \"wantsMidi\":  true,",
        ">:  \"sendsMidi\": false,",
        ">:  \"platform\":  \"x64\",",
        ">:  \"audio64\":   true,",
        ">:  \"category\":  1,",
        ">:  \"synthEdit\": false,",
        ">:}",
    };
}

std::vector<std::string> ShellAnswer(const std::vector<std::string>& shellLines) {
    std::vector<std::string> lines = EffectAnswer();
    lines[17] = ">:  \"category\":  10,";
    lines.pop_back();
    lines.push_back(">:  \"shells\": {");
    lines.insert(lines.end(), shellLines.begin(), shellLines.end());
    lines.push_back(">:  },");
    lines.push_back(">:}");
    return lines;
}

TEST(ReportParser, ReadsEveryMemberOfAPlainReport) {
    const SServerAnswer answer = ParseAnswer(EffectAnswer());
    ASSERT_TRUE(answer.readable) << answer.problem;
    const auto& report = answer.report;
    EXPECT_EQ(0x8000ABCDu, report.id);
    EXPECT_EQ("A/B \"x\xC3\xA9\"\t", report.name);
    EXPECT_EQ("Vendor", report.vendor);
    EXPECT_EQ("", report.product);
    EXPECT_EQ("1.2.3.4", report.version);
    EXPECT_EQ("", report.error);
    EXPECT_EQ(2, report.numInputs);
    EXPECT_EQ(-1, report.numOutputs);
    EXPECT_TRUE(report.wantsMidi);
    EXPECT_FALSE(report.sendsMidi);
    EXPECT_EQ("x64", report.platform);
    EXPECT_TRUE(report.audio64);
    EXPECT_EQ(1, report.category);
    EXPECT_FALSE(report.synthEdit);
    EXPECT_TRUE(report.shells.empty());
    EXPECT_EQ((std::vector<std::string>{"Scanning plugin: 'C:\\plugins\\fx.dll'", "Loading library...", "Finished"}),
              answer.info);
    EXPECT_EQ(std::vector<std::string>{"Unhandled audioMaster opCode - 38"}, answer.warn);
}

TEST(ReportParser, ReadsTheShellsBlockInOrderAndAnEmptyOne) {
    SServerAnswer answer = ParseAnswer(ShellAnswer({">:        \"00000022\": \"Beta\",",
                                                    ">:        \"00000011\": \"Al\\u0070ha\\ud83d\\ude00\","}));
    ASSERT_TRUE(answer.readable) << answer.problem;
    ASSERT_EQ(2u, answer.report.shells.size());
    EXPECT_EQ(0x22u, answer.report.shells[0].first);
    EXPECT_EQ("Beta", answer.report.shells[0].second);
    EXPECT_EQ(0x11u, answer.report.shells[1].first);
    EXPECT_EQ("Alpha\xF0\x9F\x98\x80", answer.report.shells[1].second) << "a surrogate pair is one character";

    answer = ParseAnswer(ShellAnswer({}));
    ASSERT_TRUE(answer.readable) << answer.problem;
    EXPECT_EQ(10, answer.report.category);
    EXPECT_TRUE(answer.report.shells.empty());
}

TEST(ReportParser, ALoneSurrogateBecomesTheReplacementCharacter) {
    std::vector<std::string> lines = EffectAnswer();
    lines[6] = ">:  \"name\":      \"a\\ud800b\",";
    const SServerAnswer answer = ParseAnswer(lines);
    ASSERT_TRUE(answer.readable) << answer.problem;
    EXPECT_EQ("a\xEF\xBF\xBD" "b", answer.report.name);
}

TEST(ReportParser, ProgressLinesBetweenReportLinesAndUntaggedContinuations) {
    std::vector<std::string> lines = EffectAnswer();
    // a plug-in thread's callback line lands inside the report, and a shell
    // name with a line feed arrives as a line without a tag
    lines.insert(lines.begin() + 8, "info:Audio master callback: 3 - audioMasterIdle");
    lines.insert(lines.begin() + 2, "info:Found shell: 00000011 - two");
    lines.insert(lines.begin() + 3, "lines");
    const SServerAnswer answer = ParseAnswer(lines);
    ASSERT_TRUE(answer.readable) << answer.problem;
    EXPECT_EQ("Found shell: 00000011 - two\nlines", answer.info[2]);
    EXPECT_EQ("Audio master callback: 3 - audioMasterIdle", answer.info.back());
}

TEST(ReportParser, AnyDeviationFromTheReportsLinesIsAProblemNotACrash) {
    struct SCase {
        size_t line;  // index into EffectAnswer(); the replacement follows
        const char* replacement;
        const char* why;
    };
    const SCase cases[] = {
        {5, ">:  \"id\":        \"8000abcd\",", "lower-case id digits"},
        {5, ">:  \"id\":        \"8000ABC\",", "seven id digits"},
        {5, ">:  \"id\":       \"8000ABCD\",", "one alignment blank missing"},
        {6, ">:  \"name\":      \"A\",", "fine"},
        {6, ">:  \"name\":      \"A\"", "no trailing comma"},
        {6, ">:  \"name\":      \"A\", ", "a blank after the comma"},
        {6, ">:  \"name\":      \"A\\x\",", "an unknown escape"},
        {6, ">:  \"name\":      \"A\\u00E9\",", "upper-case \\u digits"},
        {6, ">:  \"name\":      \"A\\u00e\",", "three \\u digits"},
        {6, ">:  \"name\":      \"A\xC3\xA9\",", "a raw non-ASCII byte"},
        {6, ">:  \"name\":      \"A,", "an unterminated text"},
        {11, ">:  \"numInputs\": 2x,", "a number with a letter"},
        {11, ">:  \"numInputs\": 99999999999,", "a number beyond 32 bits"},
        {11, ">:  \"numInputs\": ,", "no number"},
        {11, ">:  \"numInputs\": -2147483648,", "fine"},
        {13, ">:  \"wantsMidi\":  True,", "a capitalised boolean"},
        {13, ">:  \"wantsMidi\": true,", "the wantsMidi line's second blank missing"},
        {15, ">:  \"platform\":  x64,", "an unquoted text"},
        {17, ">:  \"category\":  10,", "a shell category without a shells block"},
        {18, ">:  \"synthEdit\": false,,", "two commas"},
        {19, ">:} ", "a blank after the closing brace"},
    };
    for (const SCase& c : cases) {
        std::vector<std::string> lines = EffectAnswer();
        ASSERT_LT(c.line, lines.size()) << c.why;
        lines[c.line] = c.replacement;
        const SServerAnswer answer = ParseAnswer(lines);
        EXPECT_EQ(std::string(c.why) == "fine", answer.readable) << c.why << ": " << answer.problem;
        if (!answer.readable) {
            EXPECT_FALSE(answer.problem.empty()) << c.why;
        }
    }
}

TEST(ReportParser, MissingExtraAndMisplacedLines) {
    std::vector<std::string> lines = EffectAnswer();
    lines.erase(lines.begin() + 9);  // the version line
    EXPECT_FALSE(ParseAnswer(lines).readable) << "a member missing";

    lines = EffectAnswer();
    lines.push_back(">:}");
    EXPECT_FALSE(ParseAnswer(lines).readable) << "a line after the end";

    lines = EffectAnswer();
    lines.pop_back();
    EXPECT_FALSE(ParseAnswer(lines).readable) << "no closing brace";

    lines = ShellAnswer({">:        \"00000011\": \"Alpha\""});
    EXPECT_FALSE(ParseAnswer(lines).readable) << "a shell line without its comma";
    lines = ShellAnswer({});
    lines.erase(lines.end() - 2);
    EXPECT_FALSE(ParseAnswer(lines).readable) << "the shells block never closed";

    const SServerAnswer none = ParseAnswer({"info:Scanning plugin: 'x'", "info:Loading library..."});
    EXPECT_FALSE(none.readable);
    EXPECT_EQ("the answer holds no report", none.problem);
    EXPECT_EQ(2u, none.info.size()) << "the progress of a cut answer is kept";
}

TEST(ReportParser, AnAnswerIsCompleteOnlyWithTheReportsClosingLine) {
    std::vector<std::string> lines = EffectAnswer();
    EXPECT_TRUE(AnswerIsComplete(lines));
    lines.pop_back();
    EXPECT_FALSE(AnswerIsComplete(lines));
    EXPECT_TRUE(AnswerIsComplete(ShellAnswer({})));
    lines = ShellAnswer({});
    lines.pop_back();
    EXPECT_FALSE(AnswerIsComplete(lines)) << "the shells block's closing line is not the end";
}

TEST(AnswerVerdict, StatusFollowsTheAnswer) {
    heliodrum::SPluginEntry entry;
    heliodrum::JudgeAnswer(EffectAnswer(), entry);
    EXPECT_EQ(heliodrum::EScanStatus::kOk, entry.status);
    EXPECT_TRUE(entry.hasReport);
    EXPECT_EQ(3u, entry.info.size());

    std::vector<std::string> failed = EffectAnswer();
    failed[10] = ">:  \"error\":     \"Failed to load library, err=193\",";
    failed.insert(failed.begin() + 4, "error:Failed to load library, err=193");
    heliodrum::JudgeAnswer(failed, entry);
    EXPECT_EQ(heliodrum::EScanStatus::kFailed, entry.status);
    EXPECT_EQ("Failed to load library, err=193", entry.reason);

    std::vector<std::string> broken = EffectAnswer();
    broken[12] = ">:  \"numOutputs\": 2,";
    heliodrum::JudgeAnswer(broken, entry);
    EXPECT_EQ(heliodrum::EScanStatus::kError, entry.status);
    EXPECT_NE(std::string::npos, entry.reason.find("numOutputs")) << entry.reason;
    EXPECT_FALSE(entry.hasReport);
}

TEST(AnswerVerdict, RequestLinesFitTheServersReadAndCarryTheSubId) {
    EXPECT_EQ("C:\\p\\shell.dll>0000002A", heliodrum::RequestLine(L"C:\\p\\shell.dll", true, 0x2A));
    EXPECT_EQ("C:\\p\\caf\xC3\xA9.dll", heliodrum::RequestLine(L"C:\\p\\caf\u00e9.dll", false, 0));
    EXPECT_EQ(1022u, heliodrum::RequestLine(std::wstring(1022, L'a'), false, 0).size());
    EXPECT_EQ("", heliodrum::RequestLine(std::wstring(1023, L'a'), false, 0)) << "1023 bytes and a line feed do not fit";
    EXPECT_EQ("", heliodrum::RequestLine(std::wstring(1015, L'a'), true, 1)) << "the id counts too";
}

}  // namespace
}  // namespace heliodrum_test
