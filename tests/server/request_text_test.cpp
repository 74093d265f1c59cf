#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "server/file_version.h"
#include "server/parse_hex.h"
#include "server/request_line.h"
#include "server/server_arguments.h"

namespace {

TEST(ParseHex, ReadsLeadingDigitsOnly) {
    const struct {
        const wchar_t* text;
        uint32_t value;
        int consumed;  // -1: no digit
    } cases[] = {
        {L"1a4", 0x1A4, 3},         {L"1A4", 0x1A4, 3},         {L"0", 0, 1},
        {L"123456789", 0x23456789, 9}, {L"ffffffff", 0xFFFFFFFF, 8}, {L"0x1A4", 0, 1},
        {L"2A>", 0x2A, 2},          {L"", 0, -1},               {L"g1", 0, -1},
        {L" 1", 0, -1},             {L"-1", 0, -1},
    };
    for (const auto& c : cases) {
        uint32_t value = 77;
        const wchar_t* end = ParseHex(c.text, value);
        EXPECT_EQ(c.value, value) << c.text;
        if (c.consumed < 0)
            EXPECT_EQ(nullptr, end) << c.text;
        else
            EXPECT_EQ(c.text + c.consumed, end) << c.text;
    }
    uint32_t untouched = 77;
    EXPECT_EQ(nullptr, ParseHex(nullptr, untouched));
    EXPECT_EQ(77u, untouched);
}

TEST(ServerArguments, HandlesWindowAndDumpFolder) {
    wchar_t program[] = L"ScanServer-x86.exe", in[] = L"1a4", out[] = L"1B8", owner[] = L"zz", folder[] = L"C:\\dumps";
    wchar_t* full[] = {program, in, out, owner, folder};
    const SServerArguments all = ReadServerArguments(5, full);
    EXPECT_EQ(0x1A4u, all.inputHandle);
    EXPECT_EQ(0x1B8u, all.outputHandle);
    EXPECT_EQ(0u, all.ownerWindow) << "not hexadecimal reads as 0";
    EXPECT_EQ(std::wstring(L"C:\\dumps"), all.dumpFolder.Text());

    wchar_t empty[] = L"";
    wchar_t* emptyFolder[] = {program, in, out, owner, empty};
    EXPECT_TRUE(ReadServerArguments(5, emptyFolder).dumpFolder.IsAbsent());

    const SServerArguments none = ReadServerArguments(1, full);
    EXPECT_EQ(0u, none.inputHandle);
    EXPECT_EQ(0u, none.outputHandle);
    EXPECT_TRUE(none.dumpFolder.IsAbsent());
}

std::string LineOf(const std::string& bytes) {
    char buffer[kRequestBufferBytes];
    std::memset(buffer, 'Q', sizeof buffer);
    std::memcpy(buffer, bytes.data(), bytes.size() < sizeof buffer ? bytes.size() : sizeof buffer);
    const CNarrowString line = ExtractRequestLine(buffer, static_cast<int32_t>(bytes.size()));
    EXPECT_FALSE(line.IsAbsent());
    return line.Text();
}

TEST(RequestLine, TheFirstLineOfOneRead) {
    EXPECT_EQ("C:\\a.dll", LineOf("C:\\a.dll\n"));
    EXPECT_EQ("C:\\a.dll\r", LineOf("C:\\a.dll\r\n"));
    EXPECT_EQ("first", LineOf("first\nsecond\n"));
    EXPECT_EQ("", LineOf("\n"));
    EXPECT_EQ("cut", LineOf(std::string("cut\0rest\n", 9)));
    EXPECT_EQ("no line feed", LineOf("no line feed"));
    EXPECT_EQ(std::string(1023, 'x'), LineOf(std::string(1023, 'x')));
    // a read never brings more than 1023 bytes; a count beyond that is clamped
    EXPECT_EQ(std::string(1023, 'y'), LineOf(std::string(1024, 'y')));
}

TEST(SplitScanRequest, PathAndSubPluginId) {
    const struct {
        const wchar_t* request;
        const wchar_t* path;
        int32_t id;
    } cases[] = {
        {L"C:\\a.dll", L"C:\\a.dll", 0},
        {L"C:\\a.dll>2A", L"C:\\a.dll", 0x2A},
        {L"C:\\a.dll>", L"C:\\a.dll", 0},
        {L"C:\\a.dll>xyz", L"C:\\a.dll", 0},
        {L"C:\\a.dll>1>2", L"C:\\a.dll", 1},
        {L">2A", L"", 0x2A},
        {L"C:\\a.dll>FFFFFFFF", L"C:\\a.dll", -1},
        {L"C:\\a.dll>123456789", L"C:\\a.dll", 0x23456789},
        {L"C:\\A b.DLL\r", L"C:\\A b.DLL\r", 0},
        {L"", L"", 0},
    };
    for (const auto& c : cases) {
        const SScanRequest parts = SplitScanRequest(CWideString::From(c.request));
        EXPECT_EQ(std::wstring(c.path), parts.path.Text() ? parts.path.Text() : L"<absent>") << c.request;
        EXPECT_EQ(c.id, parts.shellId) << c.request;
    }
}

TEST(FileVersion, ProductVersionThenFileVersion) {
    VS_FIXEDFILEINFO info = {};
    EXPECT_TRUE(FormatFileVersion(info).IsAbsent()) << "both versions 0: no text";
    info.dwFileVersionMS = MAKELONG(0, 2);
    info.dwFileVersionLS = MAKELONG(7, 0);
    EXPECT_EQ(std::wstring(L"2.0.0.7"), FormatFileVersion(info).Text());
    info.dwProductVersionMS = MAKELONG(2, 1);
    info.dwProductVersionLS = MAKELONG(4, 3);
    EXPECT_EQ(std::wstring(L"1.2.3.4"), FormatFileVersion(info).Text());
    info.dwProductVersionMS = 0xFFFFFFFF;
    info.dwProductVersionLS = 0;
    EXPECT_EQ(std::wstring(L"65535.65535.0.0"), FormatFileVersion(info).Text());
}

}  // namespace
