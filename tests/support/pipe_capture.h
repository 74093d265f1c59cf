#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

// Points the server's output handle at a real anonymous pipe for the life of the
// object, so tests read back exactly the bytes a host would receive. A reader
// thread drains the pipe as a host does: the channel flushes every line, and a
// flush on a pipe waits until the other end has read it.
class CPipeCapture {
public:
    CPipeCapture();
    ~CPipeCapture();
    CPipeCapture(const CPipeCapture&) = delete;
    CPipeCapture& operator=(const CPipeCapture&) = delete;

    // Everything received so far and not yet taken. Lines written before this
    // call have been flushed, so they have arrived.
    std::string Take();

private:
    void Drain();
    bool ReadWaitingBytes();

    HANDLE m_read = nullptr;
    HANDLE m_write = nullptr;
    HANDLE m_previousOutput = nullptr;
    std::mutex m_lock;
    std::string m_received;
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};
