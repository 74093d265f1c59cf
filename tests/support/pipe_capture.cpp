#include "tests/support/pipe_capture.h"

#include <gtest/gtest.h>

#include "server/process_handles.h"

CPipeCapture::CPipeCapture() {
    EXPECT_TRUE(CreatePipe(&m_read, &m_write, nullptr, 0));
    m_previousOutput = g_outputHandle;
    g_outputHandle = m_write;
    m_reader = std::thread([this] { Drain(); });
}

CPipeCapture::~CPipeCapture() {
    g_outputHandle = m_previousOutput;
    m_stop = true;
    m_reader.join();
    CloseHandle(m_write);
    CloseHandle(m_read);
}

// Reads only what is already in the pipe, under the lock: once Take holds the
// lock, every byte is either received or still in the pipe, never in between.
bool CPipeCapture::ReadWaitingBytes() {
    DWORD available = 0;
    if (!PeekNamedPipe(m_read, nullptr, 0, nullptr, &available, nullptr) || available == 0) return false;
    std::string chunk(available, '\0');
    DWORD read = 0;
    if (!ReadFile(m_read, &chunk[0], available, &read, nullptr)) return false;
    m_received.append(chunk, 0, read);
    return true;
}

void CPipeCapture::Drain() {
    while (!m_stop) {
        bool gotSome;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            gotSome = ReadWaitingBytes();
        }
        if (!gotSome) Sleep(1);
    }
}

std::string CPipeCapture::Take() {
    std::lock_guard<std::mutex> hold(m_lock);
    ReadWaitingBytes();
    std::string taken;
    taken.swap(m_received);
    return taken;
}
