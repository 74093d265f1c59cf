#pragma once
#include <windows.h>

#include <string>
#include <thread>

// Like CPipeCapture, for tests that log tens of thousands of lines: its reader
// blocks in ReadFile instead of polling, so the flush after every line waits
// only as long as the reader needs to wake up. The bytes are read back once,
// at the end.
class CBulkCapture {
public:
    CBulkCapture();
    ~CBulkCapture();
    CBulkCapture(const CBulkCapture&) = delete;
    CBulkCapture& operator=(const CBulkCapture&) = delete;

    // Puts the output handle back and returns everything written meanwhile.
    std::string Finish();

private:
    HANDLE m_read = nullptr;
    HANDLE m_write = nullptr;
    HANDLE m_previousOutput = nullptr;
    std::string m_received;
    std::thread m_reader;
};
