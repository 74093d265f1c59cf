// Measures what a persistent scan server buys a host, each figure against its
// counterpart in the same run: one server for many plug-ins against one per
// plug-in (a), a shell's sub-plug-ins against plain requests (b), two servers
// against one (c), the server's own cost per request against a bare pipe (d),
// and the server's memory after many requests (e). Not a test: it prints.
//
//   heliodrum-bench [--only abcde] [--full] [--processes N] [--requests N] [--held-module-only]
//
// Run from the build's bin folder; it uses ScanServer-<arch>.exe there, the
// test plug-ins in bin\plugins and the 500-sub-plug-in shell in
// bin\bench-plugins. Without --full, (a) starts 40 servers instead of 200, and
// the 32-bit build, which runs through an emulator here, uses smaller counts
// for (c) and (e); each figure prints its counts.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/answer_verdict.h"
#include "host/module_discovery.h"
#include "host/scan_pool.h"
#include "host/server_process.h"
#include "host/utf8_text.h"
#include "server/process_handles.h"
#include "server/scan_request.h"
#include "toolkit/text_conversion.h"

namespace {

using heliodrum::CServerProcess;
using heliodrum::EAnswerEnd;

const bool kIs64 = sizeof(void*) == 8;
const char* const kArch = kIs64 ? "x64" : "x86";
const DWORD kAnswerMs = 60000;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring Bin() { return heliodrum::ExecutableFolder(); }
std::wstring Server() { return Bin() + L"ScanServer-" + heliodrum::FromUtf8(kArch) + L".exe"; }
std::wstring Plugin(const wchar_t* name) { return Bin() + L"plugins\\" + name + L".dll"; }

// A folder of copies of one plug-in, so that every request loads a module of
// its own as a folder of real plug-ins would.
class CCopies {
public:
    CCopies(const std::wstring& source, size_t count) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"heliodrum-bench-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_folder.c_str(), nullptr);
        for (size_t i = 0; i < count; ++i) {
            m_paths.push_back(m_folder + L"\\plugin-" + std::to_wstring(i) + L".dll");
            CopyFileW(source.c_str(), m_paths.back().c_str(), FALSE);
        }
    }
    ~CCopies() {
        for (const std::wstring& path : m_paths) DeleteFileW(path.c_str());
        RemoveDirectoryW(m_folder.c_str());
    }
    const std::vector<std::wstring>& Paths() const { return m_paths; }
    const std::wstring& Folder() const { return m_folder; }

private:
    std::wstring m_folder;
    std::vector<std::wstring> m_paths;
};

std::unique_ptr<CServerProcess> StartServer() {
    auto server = std::make_unique<CServerProcess>();
    heliodrum::SServerLaunch launch;
    launch.executable = Server();
    std::string error;
    std::vector<std::string> banner;
    if (!server->Start(launch, error) || server->ReadAnswer(banner, kAnswerMs) != EAnswerEnd::kPrompt) {
        std::fprintf(stderr, "bench: the server did not start: %s\n", error.c_str());
        std::exit(1);
    }
    return server;
}

void StopServer(std::unique_ptr<CServerProcess>& server) {
    server->CloseInput();
    DWORD exitCode = 0;
    if (!server->WaitForExit(kAnswerMs, exitCode)) server->Terminate();
    server.reset();
}

// Asks and checks that the plug-in was described; counts what was not.
size_t g_failures = 0;
std::vector<std::string> Ask(CServerProcess& server, const std::string& request, bool mustDescribe = true) {
    std::vector<std::string> lines;
    server.Write(request + "\n");
    if (server.ReadAnswer(lines, kAnswerMs) != EAnswerEnd::kPrompt) {
        std::fprintf(stderr, "bench: no answer to %s\n", request.c_str());
        std::exit(1);
    }
    heliodrum::SPluginEntry entry;
    heliodrum::JudgeAnswer(lines, entry);
    if (mustDescribe && entry.status != heliodrum::EScanStatus::kOk) ++g_failures;
    return lines;
}

std::string Request(const std::wstring& path) { return heliodrum::ToUtf8(path); }

size_t g_perPluginOverride = 0;  // --processes N
size_t g_memoryRequests = 0;     // --requests N
bool g_heldModuleOnly = false;   // --held-module-only

size_t Count(size_t full, size_t reduced, bool all) { return kIs64 || all ? full : reduced; }

// (a) one persistent server against one server process per plug-in
void PersistentAgainstPerPlugin(bool all) {
    const size_t persistentCount = 200;
    // a server here takes seconds to stop (see host/README.md), so 200
    // processes take minutes; the mean of 40 tells the same
    const size_t perPluginCount = g_perPluginOverride ? g_perPluginOverride : all ? 200 : 40;
    CCopies copies(Plugin(L"plain_effect"), persistentCount);
    double start = Now();
    auto server = StartServer();
    for (const std::wstring& path : copies.Paths()) Ask(*server, Request(path));
    StopServer(server);
    const double persistent = (Now() - start) / static_cast<double>(persistentCount);

    double phases[3] = {0, 0, 0};  // start to prompt, the request, stop to exit
    start = Now();
    for (size_t i = 0; i < perPluginCount; ++i) {
        double mark = Now();
        auto one = StartServer();
        phases[0] += Now() - mark;
        mark = Now();
        Ask(*one, Request(copies.Paths()[i]));
        phases[1] += Now() - mark;
        mark = Now();
        StopServer(one);
        phases[2] += Now() - mark;
    }
    const double perPlugin = (Now() - start) / static_cast<double>(perPluginCount);
    for (double& phase : phases) phase /= static_cast<double>(perPluginCount);
    std::printf("(a) %s persistent server: %zu plug-ins, %.1f ms each (server start included); "
                "one server per plug-in: %zu plug-ins, %.1f ms each (start %.1f, request %.1f, stop %.1f); "
                "ratio %.1fx (goal >= 5x on x64)\n",
                kArch, persistentCount, persistent * 1000, perPluginCount, perPlugin * 1000, phases[0] * 1000,
                phases[1] * 1000, phases[2] * 1000, perPlugin / persistent);
}

// Time of one in-process load and free of a module.
double LoadAndFree(const std::wstring& path, size_t count) {
    HMODULE warm = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (warm) FreeLibrary(warm);
    const double start = Now();
    for (size_t i = 0; i < count; ++i) {
        HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (module) FreeLibrary(module);
    }
    return (Now() - start) / static_cast<double>(count);
}

size_t CountLines(const std::vector<std::string>& lines, const char* line) {
    size_t count = 0;
    for (const std::string& candidate : lines) count += candidate == line;
    return count;
}

// (b) a shell with 500 sub-plug-ins, scanned whole on one server
void WholeShell() {
    const std::wstring shell = Bin() + L"bench-plugins\\shell_many.dll";
    auto server = StartServer();
    size_t loads = 0;
    double start = Now();
    std::vector<std::string> answer = Ask(*server, Request(shell));
    const double moduleSeconds = Now() - start;
    loads += CountLines(answer, "info:Loading library...");
    heliodrum::SPluginEntry entry;
    heliodrum::JudgeAnswer(answer, entry);
    const size_t subs = entry.report.shells.size();
    start = Now();
    for (const auto& sub : entry.report.shells) {
        answer = Ask(*server, heliodrum::RequestLine(shell, true, sub.first));
        loads += CountLines(answer, "info:Loading library...");
    }
    const double perSub = (Now() - start) / static_cast<double>(subs ? subs : 1);

    // the same requests for a plain plug-in, which the server loads and frees
    // each time; the in-process load and free is taken off
    const size_t plainCount = 200;
    CCopies copies(Plugin(L"plain_effect"), 1);
    const std::string plain = Request(copies.Paths()[0]);
    Ask(*server, plain);
    start = Now();
    for (size_t i = 0; i < plainCount; ++i) Ask(*server, plain);
    const double perPlain = (Now() - start) / static_cast<double>(plainCount);
    StopServer(server);
    const double load = LoadAndFree(copies.Paths()[0], plainCount);
    std::printf("(b) %s shell with %zu sub-plug-ins: module loaded %zu time(s); shell request %.1f ms; "
                "sub-plug-in request %.2f ms; plain request %.2f ms minus in-process load and free %.2f ms = %.2f ms; "
                "ratio %.2fx (goal <= 1.2x)\n",
                kArch, subs, loads, moduleSeconds * 1000, perSub * 1000, perPlain * 1000, load * 1000,
                (perPlain - load) * 1000, perSub / (perPlain - load));
}

// (c) two servers against one on the same modules, through the scanner's pool
void TwoServersAgainstOne(bool all) {
    const size_t count = Count(400, 200, all);
    CCopies copies(Plugin(L"plain_effect"), count);
    std::vector<std::string> problems;
    const std::vector<heliodrum::SModuleFile> modules = heliodrum::DiscoverModules({copies.Folder()}, problems);
    double seconds[2];
    for (unsigned jobs = 1; jobs <= 2; ++jobs) {
        heliodrum::SPoolOptions options;
        options.serverX86 = options.serverX64 = Server();
        options.jobs = jobs;
        heliodrum::CScanPool pool(options);
        const double start = Now();
        const auto results = pool.Run(modules, nullptr, nullptr, 20);
        seconds[jobs - 1] = Now() - start;
        for (const auto& result : results) g_failures += result.status != heliodrum::EScanStatus::kOk;
    }
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    std::printf("(c) %s %zu plug-ins: 1 server %.2f s, 2 servers %.2f s (%lu processors); ratio %.2fx (goal >= 1.7x)\n",
                kArch, count, seconds[0], seconds[1], static_cast<unsigned long>(system.dwNumberOfProcessors),
                seconds[0] / seconds[1]);
}

// A host's reading end: a thread that drains the pipe and counts lines.
class CLineSink {
public:
    CLineSink() {
        CreatePipe(&m_read, &m_write, nullptr, 1 << 16);
        m_thread = std::thread([this] {
            char chunk[4096];
            DWORD read = 0;
            while (ReadFile(m_read, chunk, sizeof chunk, &read, nullptr) && read > 0) {
                std::lock_guard<std::mutex> hold(m_lock);
                for (DWORD i = 0; i < read; ++i) m_lines += chunk[i] == '\n';
                m_changed.notify_all();
            }
        });
    }
    ~CLineSink() {
        CloseHandle(m_write);
        m_thread.join();
        CloseHandle(m_read);
    }
    HANDLE Write() const { return m_write; }
    void WaitFor(size_t lines) {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [&] { return m_lines >= lines; });
    }

private:
    HANDLE m_read = nullptr, m_write = nullptr;
    std::thread m_thread;
    std::mutex m_lock;
    std::condition_variable m_changed;
    size_t m_lines = 0;
};

// (d) the server's own cost per request against writing its lines through a pipe
void ServerCost() {
    const size_t count = 200;
    CCopies copies(Plugin(L"plain_effect"), 1);
    const std::string request = Request(copies.Paths()[0]);
    auto server = StartServer();
    const std::vector<std::string> answer = Ask(*server, request);
    double start = Now();
    for (size_t i = 0; i < count; ++i) Ask(*server, request);
    const double throughServer = (Now() - start) / static_cast<double>(count);
    StopServer(server);

    // the same request handled in this process, its lines going nowhere
    g_outputHandle = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    const CWideString text = Utf8ToWide(request.c_str());
    HandleScanCommand(text);
    start = Now();
    for (size_t i = 0; i < count; ++i) HandleScanCommand(text);
    const double inProcess = (Now() - start) / static_cast<double>(count);
    CloseHandle(g_outputHandle);
    g_outputHandle = nullptr;

    // the same lines, and the prompt, written and flushed one by one to a reader
    std::vector<std::string> lines = answer;
    lines.push_back("ready:");
    CLineSink sink;
    start = Now();
    for (size_t i = 0; i < count; ++i) {
        for (const std::string& line : lines) {
            const std::string bytes = line + "\n";
            DWORD written = 0;
            WriteFile(sink.Write(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            FlushFileBuffers(sink.Write());
        }
        sink.WaitFor((i + 1) * lines.size());
    }
    const double pipe = (Now() - start) / static_cast<double>(count);
    std::printf("(d) %s request through the server %.2f ms, in-process %.2f ms: server's own cost %.2f ms; "
                "%zu lines through a pipe %.2f ms; ratio %.2fx (goal <= 1.3x)\n",
                kArch, throughServer * 1000, inProcess * 1000, (throughServer - inProcess) * 1000, lines.size(),
                pipe * 1000, (throughServer - inProcess) / pipe);
}

// Private bytes where the system counts them; Wine leaves them 0 for another
// process and gives the pagefile usage instead.
SIZE_T PrivateBytes(HANDLE process, const char** which) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return 0;
    *which = counters.PrivateUsage ? "private bytes" : "pagefile usage";
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// (e) the server's private memory after many requests against after 100
void MemoryGrowth(bool all) {
    const size_t total = g_memoryRequests ? g_memoryRequests : Count(10000, 2000, all);
    CCopies copies(Plugin(L"plain_effect"), 1);
    const std::wstring shell = Plugin(L"shell");
    const std::string requests[] = {Request(copies.Paths()[0]), Request(shell),
                                    heliodrum::RequestLine(shell, true, 0x2A), "C:\\no such folder\\missing.dll"};
    auto server = StartServer();
    SIZE_T after100 = 0;
    const char* which = "private bytes";
    const double start = Now();
    for (size_t i = 1; i <= total; ++i) {
        // --held-module-only: the shell's sub-plug-in again and again, no
        // module loaded or freed (tells the loader's share of any growth)
        const size_t kind = g_heldModuleOnly ? (i == 1 ? 1 : 2) : i % 4;
        Ask(*server, requests[kind], kind != 3);
        if (i == 100) after100 = PrivateBytes(server->ProcessHandle(), &which);
    }
    const SIZE_T after = PrivateBytes(server->ProcessHandle(), &which);
    const double seconds = Now() - start;
    StopServer(server);
    std::printf("(e) %s %s after 100 requests %.0f KiB, after %zu %.0f KiB: growth %.0f KiB "
                "(goal < 1024 KiB); %.1f s\n",
                kArch, which, after100 / 1024.0, total, after / 1024.0, (static_cast<double>(after) - after100) / 1024.0,
                seconds);
}

}  // namespace

int wmain() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring only = L"abcde";
    bool all = false;
    for (int i = 1; words && i < count; ++i) {
        const std::wstring word = words[i];
        if (word == L"--only" && i + 1 < count) only = words[++i];
        else if (word == L"--full") all = true;
        else if (word == L"--held-module-only") g_heldModuleOnly = true;
        else if (word == L"--requests" && i + 1 < count) g_memoryRequests = static_cast<size_t>(_wtoi(words[++i]));
        else if (word == L"--processes" && i + 1 < count) g_perPluginOverride = static_cast<size_t>(_wtoi(words[++i]));
    }
    if (words) LocalFree(words);
    // the missing module of (e) must not stop the server on a message box
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // under Wine the Linux root is drive Z:; the load tells how busy the machine was
    if (FILE* load = _wfopen(L"Z:\\proc\\loadavg", L"r")) {
        char text[64] = "";
        if (std::fgets(text, sizeof text, load)) std::printf("load average before the run: %s", text);
        std::fclose(load);
    }
    if (only.find(L'a') != std::wstring::npos) PersistentAgainstPerPlugin(all);
    if (only.find(L'b') != std::wstring::npos) WholeShell();
    if (only.find(L'c') != std::wstring::npos) TwoServersAgainstOne(all);
    if (only.find(L'd') != std::wstring::npos) ServerCost();
    if (only.find(L'e') != std::wstring::npos) MemoryGrowth(all);
    if (g_failures) std::printf("warning: %zu requests did not describe their plug-in\n", g_failures);
    return 0;
}
