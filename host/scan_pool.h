#pragma once
// Scans modules with a pool of servers: each worker owns at most one server at
// a time (of the architecture its module needs), takes one module at a time
// from a shared queue, asks for the module and then for each of a shell's
// sub-plug-ins on the same server, and replaces a server that hung or died.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "host/module_discovery.h"
#include "host/plugin_list.h"

namespace heliodrum {

struct SPoolOptions {
    std::wstring serverX86;
    std::wstring serverX64;
    unsigned jobs = 1;
    double timeoutSeconds = 30;
    // a server's start (the prompt after its banner) may take longer than a
    // request: a 32-bit one starts through an emulator here
    double startSeconds = 60;
    std::wstring dumpFolder;  // each worker's servers write into a folder of their own below it
};

// What a progress display needs, copied under the pool's lock.
struct SPoolProgress {
    size_t total = 0;     // requests known so far (a shell adds its sub-plug-ins)
    size_t done = 0;
    size_t failures = 0;  // entries whose status is not ok
    size_t serversStarted = 0;
    std::vector<std::string> current;  // what each worker is asking about, empty when idle
};

class CScanPool {
public:
    explicit CScanPool(const SPoolOptions& options);
    ~CScanPool();
    CScanPool(const CScanPool&) = delete;
    CScanPool& operator=(const CScanPool&) = delete;

    // Scans the modules and returns one entry per module and per sub-plug-in.
    // `tick` runs on the calling thread about every `tickMs` while workers run;
    // `finished` runs on a worker thread for each entry as it is made, one at a
    // time, with the progress that counts it.
    std::vector<SPluginEntry> Run(const std::vector<SModuleFile>& modules, const std::function<void()>& tick,
                                  const std::function<void(const SPluginEntry&, const SPoolProgress&)>& finished,
                                  DWORD tickMs = 250);

    // Workers take no new module after this; requests under way finish.
    void Stop() { m_stopping = true; }
    bool Stopped() const { return m_stopping; }

    SPoolProgress Progress();

private:
    friend class CPoolWorker;
    bool TakeModule(EModuleKind preferred, SModuleFile& module);
    void AddTotal(size_t count);
    void SetCurrent(size_t worker, const std::string& label);
    void Finish(SPluginEntry entry);
    void CountServerStart();

    SPoolOptions m_options;
    HANDLE m_job = nullptr;  // ends every server with the scanner, however it ends
    std::atomic<bool> m_stopping{false};

    std::mutex m_lock;
    std::vector<SModuleFile> m_queue[2];  // x86, x64; taken from the back
    std::vector<SPluginEntry> m_results;
    SPoolProgress m_progress;
    std::function<void(const SPluginEntry&, const SPoolProgress&)> m_finished;
};

}  // namespace heliodrum
