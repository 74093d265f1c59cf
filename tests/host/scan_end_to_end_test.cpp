// The scanner against real servers of this build's architecture and the test
// plug-ins: a folder with every kind of plug-in, then the re-runs that skip,
// blacklist, rescan and retry; the pool's servers staying up between requests;
// servers that cannot be started.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <nlohmann/json.hpp>

#include "host/plugin_list.h"
#include "host/scan_command.h"
#include "host/server_process.h"
#include "host/utf8_text.h"
#include "tests/support/test_files.h"

namespace heliodrum_test {
namespace {

using heliodrum::EScanStatus;
using heliodrum::SPluginEntry;

// Long enough for any well-behaved request here, also emulated; short enough
// that the plug-ins that hang do not hold the suite up.
const double kTimeoutSeconds = 5;

class CScanFolder {
public:
    CScanFolder() : m_plugins(L"plugins"), m_output(L"output") {
        CreateDirectoryW((Plugins() + L"\\more").c_str(), nullptr);
    }

    std::wstring Plugins() const { return m_plugins.Path(); }

    void Copy(const char* name, const wchar_t* as) {
        const std::wstring target = Plugins() + L"\\" + as;
        ASSERT_TRUE(CopyFileW(TestPluginPath(name).c_str(), target.c_str(), FALSE)) << name << " " << GetLastError();
    }

    heliodrum::SScanOptions Options(unsigned jobs = 2) const {
        heliodrum::SScanOptions options;
        options.folders = {Plugins()};
        options.listPath = m_output.Path() + L"\\list.json";
        options.dumpFolder = m_output.Path() + L"\\dumps";
        options.serverX86 = options.serverX64 = ServerOfThisBuild();
        options.jobs = jobs;
        options.timeoutSeconds = kTimeoutSeconds;
        options.progress = heliodrum::EProgressStyle::kQuiet;
        return options;
    }

private:
    CScratchFolder m_plugins;
    CScratchFolder m_output;
};

// Entries by "file.dll" or "file.dll>0000002A".
std::map<std::string, SPluginEntry> ByName(const std::vector<SPluginEntry>& entries) {
    std::map<std::string, SPluginEntry> named;
    for (const SPluginEntry& entry : entries) {
        const std::string file = entry.path.substr(entry.path.find_last_of('\\') + 1);
        named[entry.isSubPlugin ? file + ">" + heliodrum::HexId(entry.subId) : file] = entry;
    }
    return named;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& candidate : lines)
        if (candidate == line) return true;
    return false;
}

std::vector<std::string> Names(const std::vector<SPluginEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& named : ByName(entries)) names.push_back(named.first);
    return names;
}

void ExpectCrash(const SPluginEntry& entry, const char* what) {
    EXPECT_EQ(EScanStatus::kCrashed, entry.status) << what << ": " << entry.reason;
    EXPECT_NE(std::string::npos, entry.reason.find("exit code 9 ")) << what << ": " << entry.reason;
    ASSERT_FALSE(entry.dump.empty()) << what;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(heliodrum::FromUtf8(entry.dump).c_str())) << entry.dump;
}

TEST(ScanEndToEnd, EveryModuleAndSubPluginGetsAStatusAndReRunsSkipBlacklistRescanAndRetry) {
    CScanFolder folder;
    folder.Copy("plain_effect", L"plain_effect.dll");
    folder.Copy("shell", L"shell.dll");
    folder.Copy("entry_hangs", L"entry_hangs.dll");
    folder.Copy("entry_faults", L"entry_faults.dll");
    folder.Copy("entry_thread_faults", L"more\\entry_thread_faults.dll");
    folder.Copy("bad_magic", L"more\\bad_magic.dll");
    folder.Copy("shell_bad_subs", L"more\\shell_bad_subs.dll");
    HANDLE text = CreateFileW((folder.Plugins() + L"\\notes.dll").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    DWORD written = 0;
    WriteFile(text, "not a module at all, just some notes", 36, &written, nullptr);
    CloseHandle(text);

    heliodrum::SScanRun run = heliodrum::RunScan(folder.Options());
    ASSERT_EQ(0, run.exitCode);
    auto entries = ByName(run.list);
    EXPECT_EQ((std::vector<std::string>{"bad_magic.dll", "entry_faults.dll", "entry_hangs.dll", "entry_thread_faults.dll",
                                        "notes.dll", "plain_effect.dll", "shell.dll", "shell.dll>00000011",
                                        "shell.dll>00000022", "shell.dll>0000002A", "shell_bad_subs.dll",
                                        "shell_bad_subs.dll>00000011", "shell_bad_subs.dll>00000022",
                                        "shell_bad_subs.dll>00000033", "shell_bad_subs.dll>00000044"}),
              Names(run.list))
        << "every module and every sub-plug-in, nothing lost";

    const SPluginEntry& plain = entries["plain_effect.dll"];
    EXPECT_EQ(EScanStatus::kOk, plain.status) << plain.reason;
    EXPECT_EQ(BuildArch(), plain.architecture);
    EXPECT_EQ(BuildArch(), plain.report.platform);
    EXPECT_GT(plain.size, 0u);

    // the shell is loaded once; each sub-plug-in is asked for on the same
    // server, which reuses the module and answers the sub-plug-in's id
    const SPluginEntry& shell = entries["shell.dll"];
    EXPECT_EQ(EScanStatus::kOk, shell.status);
    EXPECT_TRUE(Holds(shell.info, "Loading library..."));
    EXPECT_TRUE(Holds(shell.info, "Keeping shell library loaded for now..."));
    const std::pair<const char*, const char*> subs[] = {
        {"shell.dll>00000011", "Shell Alpha"}, {"shell.dll>00000022", "Shell Beta"}, {"shell.dll>0000002A", "Shell Gamma"}};
    for (const auto& sub : subs) {
        const SPluginEntry& entry = entries[sub.first];
        EXPECT_EQ(EScanStatus::kOk, entry.status) << sub.first << ": " << entry.reason;
        EXPECT_EQ(sub.second, entry.subName);
        EXPECT_EQ("Shell " + std::string(sub.first).substr(10), entry.report.name) << "the id the plug-in was given";
        EXPECT_TRUE(Holds(entry.info, "Re-using previous library instance...")) << sub.first;
        EXPECT_FALSE(Holds(entry.info, "Loading library...")) << sub.first;
    }

    const SPluginEntry& hangs = entries["entry_hangs.dll"];
    EXPECT_EQ(EScanStatus::kTimeout, hangs.status) << hangs.reason;
    EXPECT_EQ("no answer within 5 s; the server was ended", hangs.reason);
    EXPECT_GE(hangs.seconds, kTimeoutSeconds - 0.1);
    EXPECT_TRUE(Holds(hangs.info, "Calling entry point...")) << "the progress before the hang is kept";
    ExpectCrash(entries["entry_faults.dll"], "entry point fault");
    ExpectCrash(entries["entry_thread_faults.dll"], "a plug-in thread's fault");
    EXPECT_EQ(EScanStatus::kFailed, entries["bad_magic.dll"].status);
    EXPECT_FALSE(entries["bad_magic.dll"].reason.empty());
    EXPECT_EQ(EScanStatus::kUnsupported, entries["notes.dll"].status);
    EXPECT_EQ("not a Windows module (no MZ header)", entries["notes.dll"].reason);
    EXPECT_EQ("", entries["notes.dll"].architecture);

    // one sub-plug-in crashes its server and the next hangs one: fresh servers
    // load the shell again by its own path and the rest go on as before
    EXPECT_EQ(EScanStatus::kOk, entries["shell_bad_subs.dll"].status);
    EXPECT_EQ(EScanStatus::kOk, entries["shell_bad_subs.dll>00000011"].status);
    ExpectCrash(entries["shell_bad_subs.dll>00000022"], "a sub-plug-in's fault");
    EXPECT_EQ(EScanStatus::kTimeout, entries["shell_bad_subs.dll>00000033"].status);
    const SPluginEntry& last = entries["shell_bad_subs.dll>00000044"];
    EXPECT_EQ(EScanStatus::kOk, last.status) << last.reason;
    EXPECT_EQ("Two\nLines", last.subName);
    EXPECT_EQ("Sub 00000044", last.report.name);
    EXPECT_TRUE(Holds(last.info, "Re-using previous library instance..."));

    // what is on disk is what the run returned, as valid JSON
    std::vector<SPluginEntry> loaded;
    size_t skipped = 0;
    std::string problem;
    const std::wstring listPath = folder.Options().listPath;
    ASSERT_TRUE(heliodrum::LoadList(listPath, loaded, skipped, problem)) << problem;
    EXPECT_EQ(0u, skipped);
    EXPECT_EQ(heliodrum::ListToJsonText(run.list), heliodrum::ListToJsonText(loaded));

    // again: nothing changed, so no server is asked anything
    run = heliodrum::RunScan(folder.Options());
    EXPECT_EQ(std::vector<std::string>{"notes.dll"}, Names(run.scanned)) << "only the file no server reads";
    EXPECT_EQ(7u, run.facts.kept);
    EXPECT_EQ(4u, run.facts.blacklisted) << "the hang, both crashes and the shell with bad sub-plug-ins";
    EXPECT_EQ(0u, run.facts.servers);
    EXPECT_EQ(15u, run.list.size());

    // a changed file is scanned again, and only that one
    const std::wstring plainPath = folder.Plugins() + L"\\plain_effect.dll";
    HANDLE file = CreateFileW(plainPath.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME now, later;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart += 10000000ULL * 3600;  // an hour on
    later.dwLowDateTime = time.LowPart;
    later.dwHighDateTime = time.HighPart;
    SetFileTime(file, nullptr, nullptr, &later);
    CloseHandle(file);
    run = heliodrum::RunScan(folder.Options());
    EXPECT_EQ((std::vector<std::string>{"notes.dll", "plain_effect.dll"}), Names(run.scanned));

    // --rescan scans everything but what crashed or hung before
    heliodrum::SScanOptions options = folder.Options();
    options.rescan = true;
    run = heliodrum::RunScan(options);
    EXPECT_EQ((std::vector<std::string>{"bad_magic.dll", "notes.dll", "plain_effect.dll", "shell.dll",
                                        "shell.dll>00000011", "shell.dll>00000022", "shell.dll>0000002A"}),
              Names(run.scanned));

    // --retry-failed gives the failures another chance; files that are gone
    // leave the list
    DeleteFileW((folder.Plugins() + L"\\more\\shell_bad_subs.dll").c_str());
    DeleteFileW((folder.Plugins() + L"\\more\\entry_thread_faults.dll").c_str());
    options = folder.Options();
    options.retryFailed = true;
    run = heliodrum::RunScan(options);
    EXPECT_EQ((std::vector<std::string>{"bad_magic.dll", "entry_faults.dll", "entry_hangs.dll", "notes.dll"}),
              Names(run.scanned));
    EXPECT_EQ(2u, run.facts.dropped);
    entries = ByName(run.list);
    EXPECT_EQ(9u, run.list.size());
    EXPECT_EQ(EScanStatus::kTimeout, entries["entry_hangs.dll"].status);
    ExpectCrash(entries["entry_faults.dll"], "the fault again");
}

TEST(ScanEndToEnd, EachWorkerKeepsOneServerForAllItsRequests) {
    CScanFolder folder;
    const wchar_t* const copies[] = {L"a.dll", L"b.dll", L"c.dll", L"d.dll", L"e.dll", L"f.dll", L"g.dll"};
    for (const wchar_t* copy : copies) folder.Copy("plain_effect", copy);
    const heliodrum::SScanRun run = heliodrum::RunScan(folder.Options(3));
    ASSERT_EQ(7u, run.list.size());
    for (const SPluginEntry& entry : run.list) EXPECT_EQ(EScanStatus::kOk, entry.status) << entry.path << entry.reason;
    EXPECT_EQ(3u, run.facts.servers) << "three workers, one server each, none replaced";
}

TEST(ScanEndToEnd, AServerThatCannotStartFailsItsModulesAndTheScanStillEnds) {
    CScanFolder folder;
    folder.Copy("plain_effect", L"a.dll");
    folder.Copy("plain_effect", L"b.dll");
    heliodrum::SScanOptions options = folder.Options();
    options.serverX86 = options.serverX64 = folder.Plugins() + L"\\no-such-server.exe";
    const heliodrum::SScanRun run = heliodrum::RunScan(options);
    EXPECT_EQ(0, run.exitCode) << "the list is still written";
    ASSERT_EQ(2u, run.list.size());
    for (const SPluginEntry& entry : run.list) {
        EXPECT_EQ(EScanStatus::kError, entry.status);
        EXPECT_NE(std::string::npos, entry.reason.find("could not be started")) << entry.reason;
    }
}

}  // namespace
}  // namespace heliodrum_test
