#pragma once
// Starts one scan server the way a host does and talks to it: two anonymous
// pipes whose server ends alone are inherited, their handle values and the
// owner window as hexadecimal arguments, and a dump folder. A reader thread
// drains the answer pipe at once, so the server never waits on a full pipe.
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace heliodrum {

struct SServerLaunch {
    std::wstring executable;  // ScanServer-x86.exe or ScanServer-x64.exe
    std::wstring dumpFolder;  // empty: the server writes no dump
    HWND ownerWindow = nullptr;
    bool withInput = true;    // false: no request pipe (the server only shows its badge)
};

enum class EAnswerEnd {
    kPrompt,   // the server wrote "ready:"
    kTimeout,  // no prompt in time
    kClosed,   // the answer pipe broke: the server has ended
};

class CServerProcess {
public:
    CServerProcess() = default;
    ~CServerProcess();
    CServerProcess(const CServerProcess&) = delete;
    CServerProcess& operator=(const CServerProcess&) = delete;

    bool Start(const SServerLaunch& launch, std::string& error);

    // Writes bytes to the request pipe as they are (a request is a line).
    bool Write(const std::string& bytes);
    // Collects the lines (without their line feeds) up to the next prompt.
    EAnswerEnd ReadAnswer(std::vector<std::string>& lines, DWORD timeoutMs);
    // Lines received so far that no ReadAnswer took.
    std::vector<std::string> TakeLines();

    // Closing the request pipe asks the server to stop in order.
    void CloseInput();
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);
    void Terminate();
    bool IsRunning() const;
    DWORD ProcessId() const { return m_processId; }
    HANDLE ProcessHandle() const { return m_process; }

private:
    void ReadOutput();

    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    HANDLE m_requestWrite = nullptr;
    HANDLE m_answerRead = nullptr;
    std::thread m_reader;

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::string> m_lines;  // complete lines; "ready:" stands for the prompt
    bool m_closed = false;
};

// The folder of the running executable, with a trailing backslash.
std::wstring ExecutableFolder();

}  // namespace heliodrum
