// What a person reads: the live line, the plain lines, the summary table and
// the command line.
#include <gtest/gtest.h>

#include "host/progress_display.h"
#include "host/scan_options.h"
#include "host/scan_summary.h"

namespace heliodrum_test {
namespace {

using heliodrum::EScanStatus;
using heliodrum::SPluginEntry;

SPluginEntry Entry(const char* path, EScanStatus status, double seconds, const char* name = "") {
    SPluginEntry entry;
    entry.path = path;
    entry.status = status;
    entry.seconds = seconds;
    entry.architecture = "x64";
    if (*name) {
        entry.hasReport = true;
        entry.report.name = name;
    }
    if (status != EScanStatus::kOk) entry.reason = std::string("why ") + path;
    if (status == EScanStatus::kUnsupported) entry.architecture.clear();
    return entry;
}

TEST(ScanSummary, CountsByStatusSlowestAndFailuresWithReasons) {
    std::vector<SPluginEntry> scanned = {
        Entry("C:\\p\\a.dll", EScanStatus::kOk, 0.5, "Alpha"),
        Entry("C:\\p\\b.dll", EScanStatus::kOk, 2.25),
        Entry("C:\\p\\hang.dll", EScanStatus::kTimeout, 5.0),
        Entry("C:\\p\\crash.dll", EScanStatus::kCrashed, 0.75),
        Entry("C:\\p\\text.dll", EScanStatus::kUnsupported, 0),
    };
    scanned[3].dump = "C:\\dumps\\d.mdmp";
    std::vector<SPluginEntry> list = scanned;
    list.push_back(Entry("C:\\p\\old.dll", EScanStatus::kCrashed, 1));
    heliodrum::SSummaryFacts facts;
    facts.kept = 1;
    facts.blacklisted = 1;
    facts.seconds = 9.5;
    facts.servers = 3;
    const std::string text = heliodrum::SummaryText(scanned, list, facts, 2);

    EXPECT_NE(std::string::npos, text.find("Scanned 5 plug-ins in 9.50 s with 3 server start(s)\n")) << text;
    EXPECT_NE(std::string::npos, text.find("Kept 1 unchanged module(s) from the last list, 1 of them for an earlier"))
        << text;
    EXPECT_NE(std::string::npos, text.find("  ok                    2             2\n")) << text;
    EXPECT_NE(std::string::npos, text.find("  crashed               1             2\n")) << text;
    EXPECT_EQ(std::string::npos, text.find("  error ")) << "statuses nobody has are left out";
    const size_t slowest = text.find("Slowest:\n  5.00 s    x64 hang.dll\n  2.25 s    x64 b.dll\n");
    EXPECT_NE(std::string::npos, slowest) << text;
    EXPECT_EQ(std::string::npos, text.find("Alpha (a.dll)", slowest)) << "only the two slowest";
    EXPECT_NE(std::string::npos, text.find("  crashed     x64 crash.dll: why C:\\p\\crash.dll\n              dump: C:\\dumps\\d.mdmp\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("  unsupported     text.dll: why C:\\p\\text.dll\n")) << text;
}

TEST(ProgressDisplay, TheLiveLineShowsCountsTimeFailuresAndWorkAndFitsTheWidth) {
    heliodrum::SPoolProgress progress;
    progress.done = 12;
    progress.total = 40;
    progress.failures = 2;
    progress.current = {"shell.dll>0000002A", "", "fx.dll"};
    EXPECT_EQ("[12/40] 1:05 2 failed | shell.dll>0000002A, fx.dll",
              heliodrum::CProgressDisplay::LiveLine(progress, 65.4, 79));
    const std::string cut = heliodrum::CProgressDisplay::LiveLine(progress, 65.4, 30);
    EXPECT_EQ(30u, cut.size());
    EXPECT_EQ("...", cut.substr(27));

    SPluginEntry entry = Entry("C:\\p\\hang.dll", EScanStatus::kTimeout, 5);
    EXPECT_EQ("[12/40] timeout x64 hang.dll (5.00 s): why C:\\p\\hang.dll\n",
              heliodrum::CProgressDisplay::PlainLine(entry, progress));
}

TEST(ScanOptions, ReadsEveryOptionAndRejectsBadValues) {
    heliodrum::SScanOptions options;
    std::string problem;
    ASSERT_TRUE(heliodrum::ParseScanOptions({L"--jobs", L"3", L"--timeout", L"2.5", L"D:\\a", L"--rescan",
                                             L"--retry-failed", L"--list", L"l.json", L"--server-x86", L"s86.exe",
                                             L"--server-x64", L"s64.exe", L"--progress", L"plain", L"E:\\b"},
                                            options, problem))
        << problem;
    EXPECT_EQ(3u, options.jobs);
    EXPECT_EQ(2.5, options.timeoutSeconds);
    EXPECT_EQ((std::vector<std::wstring>{L"D:\\a", L"E:\\b"}), options.folders);
    EXPECT_TRUE(options.rescan);
    EXPECT_TRUE(options.retryFailed);
    EXPECT_EQ(L"l.json", options.listPath);
    EXPECT_EQ(L"s86.exe", options.serverX86);
    EXPECT_EQ(L"s64.exe", options.serverX64);
    EXPECT_EQ(heliodrum::EProgressStyle::kPlain, options.progress);

    const std::vector<std::vector<std::wstring>> bad = {
        {}, {L"--jobs", L"0", L"d"}, {L"--jobs", L"2x", L"d"}, {L"--jobs", L"1.5", L"d"}, {L"--timeout", L"0", L"d"},
        {L"--timeout", L"-1", L"d"}, {L"--timeout"}, {L"--bogus", L"d"}, {L"--progress", L"loud", L"d"},
    };
    for (const auto& arguments : bad) {
        heliodrum::SScanOptions ignored;
        problem.clear();
        EXPECT_FALSE(heliodrum::ParseScanOptions(arguments, ignored, problem)) << arguments.size();
        EXPECT_FALSE(problem.empty());
    }
}

}  // namespace
}  // namespace heliodrum_test
