#include "host/scan_pool.h"

#include <memory>
#include <set>
#include <thread>

#include "host/answer_verdict.h"
#include "host/dump_files.h"
#include "host/plugin_report.h"
#include "host/server_process.h"
#include "host/utf8_text.h"

namespace heliodrum {

namespace {

DWORD Milliseconds(double seconds) { return static_cast<DWORD>(seconds * 1000.0 + 0.5); }

double SecondsSince(ULONGLONG startMs) { return static_cast<double>(GetTickCount64() - startMs) / 1000.0; }

std::string FileName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return ToUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

// How long a crashing server may take to write its dump and end.
const DWORD kDumpWaitMs = 60000;

int QueueIndex(EModuleKind kind) { return kind == EModuleKind::kX86 ? 0 : 1; }

}  // namespace

// One worker thread and the server it owns.
class CPoolWorker {
public:
    CPoolWorker(CScanPool& pool, size_t index) : m_pool(pool), m_index(index) {
        const std::wstring& root = pool.m_options.dumpFolder;
        if (!root.empty()) {
            CreateDirectoryW(root.c_str(), nullptr);
            m_dumpFolder = root + L"\\worker-" + std::to_wstring(index + 1);
            CreateDirectoryW(m_dumpFolder.c_str(), nullptr);
        }
    }

    void Run() {
        SModuleFile module;
        while (m_pool.TakeModule(m_server ? m_kind : EModuleKind::kX64, module)) ScanModule(module);
        StopServer();
        m_pool.SetCurrent(m_index, std::string());
    }

private:
    enum class EAsk { kAnswered, kTimedOut, kCrashed };

    struct SOutcome {
        EAsk end = EAsk::kAnswered;
        std::vector<std::string> lines;
        bool exited = false;
        DWORD exitCode = 0;
        std::wstring dump;
    };

    // The module's own request, then one request per sub-plug-in of a shell.
    // Entries go into the results only once the whole module is done, so a
    // stopped scan leaves no module half scanned in the list.
    void ScanModule(const SModuleFile& module) {
        std::vector<SPluginEntry> entries;
        entries.push_back(Request(module, false, 0, std::string()));
        const SPluginEntry shell = entries.back();
        m_pool.Finish(shell);
        if (shell.hasReport && shell.report.category == kShellCategory && !shell.report.shells.empty()) {
            std::vector<std::pair<uint32_t, std::string>> subs;
            std::set<uint32_t> seen;
            for (const auto& sub : shell.report.shells)
                if (seen.insert(sub.first).second) subs.push_back(sub);
            m_pool.AddTotal(subs.size());
            bool primeFailed = false;
            for (const auto& sub : subs) {
                if (m_pool.Stopped()) return;
                // a fresh server (the last one hung or died on a sub-plug-in)
                // loads the shell once by its own path, so the remaining
                // sub-plug-ins find it loaded as before
                if (!m_server && !primeFailed) {
                    const SPluginEntry prime = Request(module, false, 0, std::string());
                    primeFailed = prime.status != EScanStatus::kOk && prime.status != EScanStatus::kFailed;
                }
                entries.push_back(Request(module, true, sub.first, sub.second));
                m_pool.Finish(entries.back());
            }
        }
        std::lock_guard<std::mutex> hold(m_pool.m_lock);
        for (SPluginEntry& entry : entries) m_pool.m_results.push_back(std::move(entry));
    }

    SPluginEntry Request(const SModuleFile& module, bool isSub, uint32_t subId, const std::string& subName) {
        SPluginEntry entry;
        entry.path = ToUtf8(module.path);
        entry.isSubPlugin = isSub;
        entry.subId = subId;
        entry.subName = subName;
        entry.architecture = ArchitectureName(module.kind);
        entry.size = module.stamp.size;
        entry.modified = module.stamp.modified;

        const std::string line = RequestLine(module.path, isSub, subId);
        if (line.empty()) {
            entry.status = EScanStatus::kError;
            entry.reason = "the path is too long for a request line";
            return entry;
        }
        m_pool.SetCurrent(m_index, FileName(module.path) + (isSub ? ">" + HexId(subId) : std::string()));
        std::string error;
        if (!EnsureServer(module.kind, error)) {
            entry.status = EScanStatus::kError;
            entry.reason = "the " + entry.architecture + " server could not be started: " + error;
            return entry;
        }
        const ULONGLONG start = GetTickCount64();
        const SOutcome outcome = Ask(line);
        entry.seconds = SecondsSince(start);
        m_pool.SetCurrent(m_index, std::string());
        switch (outcome.end) {
            case EAsk::kAnswered: JudgeAnswer(outcome.lines, entry); break;
            case EAsk::kTimedOut: JudgeTimeout(outcome.lines, m_pool.m_options.timeoutSeconds, entry); break;
            case EAsk::kCrashed:
                JudgeCrash(outcome.lines, outcome.exited, outcome.exitCode, outcome.dump, entry);
                break;
        }
        return entry;
    }

    SOutcome Ask(const std::string& line) {
        SOutcome outcome;
        const ULONGLONG deadline = GetTickCount64() + Milliseconds(m_pool.m_options.timeoutSeconds);
        EAnswerEnd end = m_server->Write(line + "\n") ? EAnswerEnd::kTimeout : EAnswerEnd::kClosed;
        if (end != EAnswerEnd::kClosed) {
            for (;;) {
                const ULONGLONG now = GetTickCount64();
                end = m_server->ReadAnswer(outcome.lines, now < deadline ? static_cast<DWORD>(deadline - now) : 0);
                // the prompt can only follow a whole report; a "ready:" before
                // that is the tail of a plug-in's text that held a line feed
                if (end != EAnswerEnd::kPrompt || AnswerIsComplete(outcome.lines)) break;
                outcome.lines.push_back("ready:");
            }
        }
        if (end == EAnswerEnd::kPrompt) return outcome;
        outcome.dump = NewDump();
        // a dump under way means the server is crashing, not hanging: writing
        // one takes seconds under Wine, and the crash is what to report
        if (end == EAnswerEnd::kTimeout && !outcome.dump.empty()) end = EAnswerEnd::kClosed;
        if (end == EAnswerEnd::kTimeout) {
            outcome.end = EAsk::kTimedOut;
            m_server->Terminate();
        } else {
            outcome.end = EAsk::kCrashed;
            outcome.exited = m_server->WaitForExit(kDumpWaitMs, outcome.exitCode);
            if (!outcome.exited) m_server->Terminate();
            outcome.dump = NewDump();
        }
        // whatever it wrote after the cut belongs to no request
        const std::vector<std::string> rest = m_server->TakeLines();
        outcome.lines.insert(outcome.lines.end(), rest.begin(), rest.end());
        m_server.reset();
        return outcome;
    }

    // The dump this worker's server wrote since it started, if any.
    std::wstring NewDump() const {
        for (const std::wstring& dump : ListDumpFiles(m_dumpFolder))
            if (!m_dumpsBefore.count(dump)) return dump;
        return std::wstring();
    }

    bool EnsureServer(EModuleKind kind, std::string& error) {
        if (m_server && m_kind == kind && m_server->IsRunning()) return true;
        StopServer();
        // a second try covers a start that failed for a passing reason
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (StartServer(kind, error)) return true;
        }
        return false;
    }

    bool StartServer(EModuleKind kind, std::string& error) {
        SServerLaunch launch;
        launch.executable = kind == EModuleKind::kX86 ? m_pool.m_options.serverX86 : m_pool.m_options.serverX64;
        launch.dumpFolder = m_dumpFolder;
        if (launch.executable.empty()) {
            error = "no server given for this architecture";
            return false;
        }
        m_dumpsBefore = ListDumpFiles(m_dumpFolder);
        auto server = std::make_unique<CServerProcess>();
        if (!server->Start(launch, error)) return false;
        if (m_pool.m_job) AssignProcessToJobObject(m_pool.m_job, server->ProcessHandle());
        m_pool.CountServerStart();
        std::vector<std::string> banner;
        const EAnswerEnd end = server->ReadAnswer(banner, Milliseconds(m_pool.m_options.startSeconds));
        if (end != EAnswerEnd::kPrompt) {
            error = end == EAnswerEnd::kTimeout ? "no prompt after its start" : "it ended at its start";
            server->Terminate();
            return false;
        }
        m_server = std::move(server);
        m_kind = kind;
        return true;
    }

    void StopServer() {
        if (!m_server) return;
        m_server->CloseInput();
        DWORD exitCode = 0;
        if (!m_server->WaitForExit(10000, exitCode)) m_server->Terminate();
        m_server.reset();
    }

    CScanPool& m_pool;
    const size_t m_index;
    std::unique_ptr<CServerProcess> m_server;
    EModuleKind m_kind = EModuleKind::kX64;
    std::wstring m_dumpFolder;
    std::set<std::wstring> m_dumpsBefore;
};

CScanPool::CScanPool(const SPoolOptions& options) : m_options(options) {
    if (m_options.jobs == 0) m_options.jobs = 1;
    m_job = CreateJobObjectW(nullptr, nullptr);
    if (m_job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
            CloseHandle(m_job);
            m_job = nullptr;
        }
    }
}

CScanPool::~CScanPool() {
    if (m_job) CloseHandle(m_job);
}

std::vector<SPluginEntry> CScanPool::Run(const std::vector<SModuleFile>& modules, const std::function<void()>& tick,
                                         const std::function<void(const SPluginEntry&, const SPoolProgress&)>& finished,
                                         DWORD tickMs) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_finished = finished;
        m_results.clear();
        m_queue[0].clear();
        m_queue[1].clear();
        // taken from the back: reversed, the modules go out in the order given
        for (auto module = modules.rbegin(); module != modules.rend(); ++module)
            m_queue[QueueIndex(module->kind)].push_back(*module);
        m_progress = SPoolProgress();
        m_progress.total = modules.size();
    }
    const size_t count = std::min<size_t>(m_options.jobs, modules.size());
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_progress.current.assign(count, std::string());
    }
    std::vector<std::unique_ptr<CPoolWorker>> workers;
    std::vector<std::thread> threads;
    std::atomic<size_t> running{count};
    for (size_t i = 0; i < count; ++i) {
        workers.push_back(std::make_unique<CPoolWorker>(*this, i));
        threads.emplace_back([&running, worker = workers.back().get()] {
            worker->Run();
            --running;
        });
    }
    while (running > 0) {
        if (tick) tick();
        Sleep(tickMs);
    }
    for (std::thread& thread : threads) thread.join();
    if (tick) tick();
    std::lock_guard<std::mutex> hold(m_lock);
    m_finished = nullptr;
    return std::move(m_results);
}

SPoolProgress CScanPool::Progress() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_progress;
}

bool CScanPool::TakeModule(EModuleKind preferred, SModuleFile& module) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_stopping) return false;
    // a worker keeps to its server's architecture while there is work for it
    int queue = QueueIndex(preferred);
    if (m_queue[queue].empty()) queue = 1 - queue;
    if (m_queue[queue].empty()) return false;
    module = std::move(m_queue[queue].back());
    m_queue[queue].pop_back();
    return true;
}

void CScanPool::AddTotal(size_t count) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_progress.total += count;
}

void CScanPool::SetCurrent(size_t worker, const std::string& label) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (worker < m_progress.current.size()) m_progress.current[worker] = label;
}

void CScanPool::Finish(SPluginEntry entry) {
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_progress.done;
    if (entry.status != EScanStatus::kOk) ++m_progress.failures;
    if (m_finished) m_finished(entry, m_progress);
}

void CScanPool::CountServerStart() {
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_progress.serversStarted;
}

}  // namespace heliodrum
