#include <gtest/gtest.h>

#include <string>

#include "server/log_channel.h"
#include "server/process_handles.h"
#include "tests/support/pipe_capture.h"

namespace {

TEST(LogChannel, EachFrontEndWritesItsTagAndTheMessage) {
    CPipeCapture pipe;
    LogInfo(L"Freed\n");
    EXPECT_EQ("info:Freed\n", pipe.Take());
    LogResult(L"}\n");
    EXPECT_EQ(">:}\n", pipe.Take());
    LogWarning(L"Unhandled audioMaster opCode - %i\n", -1);
    EXPECT_EQ("warn:Unhandled audioMaster opCode - -1\n", pipe.Take());
    LogError(L"%s\n", L"Bad magic");
    EXPECT_EQ("error:Bad magic\n", pipe.Take());
}

TEST(LogChannel, MessagesAreSentAsUtf8) {
    CPipeCapture pipe;
    LogInfo(L"caf\u00e9 \xD83D\xDE00\n");
    EXPECT_EQ("info:caf\xC3\xA9 \xF0\x9F\x98\x80\n", pipe.Take());
    // an 8-bit argument is widened byte by byte, so UTF-8 input is sent as Latin-1 read
    LogInfo(L"%S\n", "\xC3\xA9");
    EXPECT_EQ("info:\xC3\x83\xC2\xA9\n", pipe.Take());
    LogInfo(L"%.8X %p\n", 0x1A4, reinterpret_cast<const void*>(0x1A4));
    EXPECT_EQ(sizeof(void*) == 8 ? "info:000001A4 00000000000001A4\n" : "info:000001A4 000001A4\n", pipe.Take());
}

TEST(LogChannel, AHostileArgumentCannotAddALineOrFakeThePrompt) {
    CPipeCapture pipe;
    LogInfo(L"Found shell: %.8X - %S\n", 0x11, "x\nready:\n");
    EXPECT_EQ("info:Found shell: 00000011 - x\\nready:\\n\n", pipe.Take());
    LogInfo(L"%S", "no final line feed\nhere");
    EXPECT_EQ("info:no final line feed\\nhere", pipe.Take());
}

TEST(LogChannel, AClosedOutputIsSilent) {
    HANDLE previous = g_outputHandle;
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    CloseHandle(read);
    g_outputHandle = write;
    LogInfo(L"lost\n");
    LogResult(L"}\n");
    g_outputHandle = previous;
    CloseHandle(write);
}

}  // namespace
