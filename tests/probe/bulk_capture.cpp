#include "tests/probe/bulk_capture.h"

#include <gtest/gtest.h>

#include "server/process_handles.h"

CBulkCapture::CBulkCapture() {
    EXPECT_TRUE(CreatePipe(&m_read, &m_write, nullptr, 1 << 20));
    m_previousOutput = g_outputHandle;
    g_outputHandle = m_write;
    m_reader = std::thread([this] {
        char chunk[1 << 16];
        DWORD read = 0;
        // ends when the write end is closed
        while (ReadFile(m_read, chunk, sizeof(chunk), &read, nullptr) && read > 0) m_received.append(chunk, read);
    });
}

CBulkCapture::~CBulkCapture() { Finish(); }

std::string CBulkCapture::Finish() {
    if (!m_reader.joinable()) return m_received;
    g_outputHandle = m_previousOutput;
    CloseHandle(m_write);
    m_reader.join();
    CloseHandle(m_read);
    return m_received;
}
