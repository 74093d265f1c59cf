#include "host/server_process.h"

#include <cstdio>

namespace heliodrum {

namespace {

const char kPrompt[] = "ready:";

// Handles are made inheritable only while a server is created, under this
// lock, so that servers started at the same time by other threads never
// inherit each other's pipe ends (a pipe would then never break).
std::mutex g_creationLock;

std::wstring Hex(ULONG_PTR value) {
    wchar_t text[24];
    swprintf(text, sizeof text / sizeof text[0], L"%llx", static_cast<unsigned long long>(value));
    return text;
}

std::wstring Quoted(const std::wstring& argument) {
    // the dump folder is the only free-form argument; it may hold blanks
    std::wstring quoted = L"\"";
    int backslashes = 0;
    for (wchar_t unit : argument) {
        if (unit == L'\\') {
            ++backslashes;
            quoted += unit;
            continue;
        }
        if (unit == L'"') quoted.append(backslashes + 1, L'\\');
        backslashes = 0;
        quoted += unit;
    }
    quoted.append(backslashes, L'\\');
    return quoted + L"\"";
}

std::string LastErrorText(const char* what) { return std::string(what) + " failed, error " + std::to_string(GetLastError()); }

void CloseIfOpen(HANDLE& handle) {
    if (handle) CloseHandle(handle);
    handle = nullptr;
}

}  // namespace

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

CServerProcess::~CServerProcess() {
    if (IsRunning()) Terminate();
    CloseIfOpen(m_requestWrite);
    if (m_reader.joinable()) m_reader.join();
    CloseIfOpen(m_answerRead);
    CloseIfOpen(m_process);
}

bool CServerProcess::Start(const SServerLaunch& launch, std::string& error) {
    HANDLE requestRead = nullptr, answerWrite = nullptr;
    if (launch.withInput && !CreatePipe(&requestRead, &m_requestWrite, nullptr, 0)) {
        error = LastErrorText("CreatePipe");
        return false;
    }
    if (!CreatePipe(&m_answerRead, &answerWrite, nullptr, 1 << 16)) {
        error = LastErrorText("CreatePipe");
        CloseIfOpen(requestRead);
        return false;
    }

    std::wstring commandLine = Quoted(launch.executable) + L" " + Hex(reinterpret_cast<ULONG_PTR>(requestRead)) +
                               L" " + Hex(reinterpret_cast<ULONG_PTR>(answerWrite)) + L" " +
                               Hex(reinterpret_cast<ULONG_PTR>(launch.ownerWindow)) + L" " + Quoted(launch.dumpFolder);

    HANDLE inherited[2];
    DWORD inheritedCount = 0;
    if (requestRead) inherited[inheritedCount++] = requestRead;
    inherited[inheritedCount++] = answerWrite;

    SIZE_T attributeBytes = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeBytes);
    std::vector<char> attributeMemory(attributeBytes);
    auto attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeMemory.data());
    const bool haveList = InitializeProcThreadAttributeList(attributes, 1, 0, &attributeBytes) &&
                          UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                                    inheritedCount * sizeof(HANDLE), nullptr, nullptr);

    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = sizeof startup;
    startup.lpAttributeList = haveList ? attributes : nullptr;
    PROCESS_INFORMATION process = {};
    BOOL created;
    {
        std::lock_guard<std::mutex> hold(g_creationLock);
        for (DWORD i = 0; i < inheritedCount; ++i) SetHandleInformation(inherited[i], HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        created = CreateProcessW(launch.executable.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                 haveList ? EXTENDED_STARTUPINFO_PRESENT : 0, nullptr, nullptr,
                                 &startup.StartupInfo, &process);
        if (!created) error = LastErrorText("CreateProcess");
        for (DWORD i = 0; i < inheritedCount; ++i) SetHandleInformation(inherited[i], HANDLE_FLAG_INHERIT, 0);
    }
    if (haveList) DeleteProcThreadAttributeList(attributes);
    // the server holds its own copies now; ours must go, or the pipes never break
    CloseIfOpen(requestRead);
    CloseIfOpen(answerWrite);
    if (!created) {
        CloseIfOpen(m_requestWrite);
        CloseIfOpen(m_answerRead);
        return false;
    }
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_processId = process.dwProcessId;
    m_reader = std::thread([this] { ReadOutput(); });
    return true;
}

void CServerProcess::ReadOutput() {
    std::string pending;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(m_answerRead, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        std::lock_guard<std::mutex> hold(m_lock);
        pending.append(chunk, read);
        size_t start = 0;
        for (size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1)
            m_lines.push_back(pending.substr(start, end - start));
        pending.erase(0, start);
        m_changed.notify_all();
    }
    std::lock_guard<std::mutex> hold(m_lock);
    if (!pending.empty()) m_lines.push_back(pending);  // a last line without its line feed
    m_closed = true;
    m_changed.notify_all();
}

bool CServerProcess::Write(const std::string& bytes) {
    if (!m_requestWrite) return false;
    DWORD written = 0;
    return WriteFile(m_requestWrite, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

EAnswerEnd CServerProcess::ReadAnswer(std::vector<std::string>& lines, DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        while (!m_lines.empty()) {
            std::string line = std::move(m_lines.front());
            m_lines.pop_front();
            if (line == kPrompt) return EAnswerEnd::kPrompt;
            lines.push_back(std::move(line));
        }
        if (m_closed) return EAnswerEnd::kClosed;
        if (m_changed.wait_until(hold, deadline) == std::cv_status::timeout && m_lines.empty() && !m_closed)
            return EAnswerEnd::kTimeout;
    }
}

std::vector<std::string> CServerProcess::TakeLines() {
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<std::string> lines(m_lines.begin(), m_lines.end());
    m_lines.clear();
    return lines;
}

void CServerProcess::CloseInput() { CloseIfOpen(m_requestWrite); }

bool CServerProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return false;
    if (m_reader.joinable()) m_reader.join();  // the answer pipe breaks with the process
    return GetExitCodeProcess(m_process, &exitCode) != 0;
}

void CServerProcess::Terminate() {
    if (!m_process) return;
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, 10000);
}

bool CServerProcess::IsRunning() const {
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

}  // namespace heliodrum
