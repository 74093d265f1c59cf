// Finding modules: every .dll under the folders, each sent to the server of its
// machine type or given a reason.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>

#include "host/module_discovery.h"
#include "host/utf8_text.h"
#include "tests/support/test_files.h"

namespace heliodrum_test {
namespace {

using heliodrum::EModuleKind;

// The smallest file whose headers name a machine: an MZ header pointing at a
// PE signature followed by the machine field.
std::string PeBytes(uint16_t machine) {
    std::string bytes(0x80 + 6, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = static_cast<char>(0x80);
    std::memcpy(&bytes[0x80], "PE\0\0", 4);
    bytes[0x84] = static_cast<char>(machine & 0xFF);
    bytes[0x85] = static_cast<char>(machine >> 8);
    return bytes;
}

void Write(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(heliodrum::ToUtf8(path), std::ios::binary);
    out << bytes;
}

TEST(ModuleDiscovery, WalksFoldersAndSortsModulesByMachine) {
    CScratchFolder folder;
    const std::wstring root = folder.Path();
    CreateDirectoryW((root + L"\\sub").c_str(), nullptr);
    CreateDirectoryW((root + L"\\sub\\deeper").c_str(), nullptr);
    CreateDirectoryW((root + L"\\folder.dll").c_str(), nullptr);
    Write(root + L"\\x86.dll", PeBytes(0x014C));
    Write(root + L"\\sub\\X64.DLL", PeBytes(0x8664));
    Write(root + L"\\sub\\deeper\\arm.dll", PeBytes(0xAA64));
    Write(root + L"\\sub\\deeper\\text.dll", "just text, long enough to hold an MZ header's place.............");
    Write(root + L"\\sub\\deeper\\empty.dll", "");
    Write(root + L"\\sub\\deeper\\nope.dl", PeBytes(0x8664));
    Write(root + L"\\sub\\mz-only.dll", std::string("MZ") + std::string(62, '\0'));

    std::vector<std::string> problems;
    // the same folder twice, once with a trailing separator, finds each module once
    const auto modules = heliodrum::DiscoverModules({root, root + L"\\sub\\"}, problems);
    EXPECT_TRUE(problems.empty());
    struct SExpected {
        const wchar_t* leaf;
        EModuleKind kind;
        const char* reason;
    };
    const SExpected expected[] = {
        {L"\\sub\\deeper\\arm.dll", EModuleKind::kOtherMachine, "built for another machine (0xAA64)"},
        {L"\\sub\\deeper\\empty.dll", EModuleKind::kNotPe, "not a Windows module (no MZ header)"},
        {L"\\sub\\deeper\\text.dll", EModuleKind::kNotPe, "not a Windows module (no MZ header)"},
        {L"\\sub\\mz-only.dll", EModuleKind::kNotPe, "not a Windows module (no PE header)"},
        {L"\\sub\\X64.DLL", EModuleKind::kX64, ""},
        {L"\\x86.dll", EModuleKind::kX86, ""},
    };
    ASSERT_EQ(sizeof expected / sizeof expected[0], modules.size());
    for (size_t i = 0; i < modules.size(); ++i) {
        EXPECT_EQ(root + expected[i].leaf, modules[i].path);
        EXPECT_EQ(expected[i].kind, modules[i].kind) << heliodrum::ToUtf8(modules[i].path);
        EXPECT_EQ(expected[i].reason, modules[i].reason);
    }
    EXPECT_EQ(PeBytes(0x014C).size(), modules.back().stamp.size);
    EXPECT_EQ(28u, modules.back().stamp.modified.size()) << modules.back().stamp.modified;
}

TEST(ModuleDiscovery, ANamedFileAMissingFolderAndALockedFile) {
    CScratchFolder folder;
    const std::wstring file = folder.Path() + L"\\one.dll";
    Write(file, PeBytes(0x8664));
    std::vector<std::string> problems;
    auto modules = heliodrum::DiscoverModules({file, folder.Path() + L"\\missing"}, problems);
    ASSERT_EQ(1u, modules.size());
    EXPECT_EQ(EModuleKind::kX64, modules[0].kind);
    ASSERT_EQ(1u, problems.size());
    EXPECT_NE(std::string::npos, problems[0].find("missing"));

    // a file another program holds without sharing cannot be read
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    modules = heliodrum::DiscoverModules({folder.Path()}, problems);
    CloseHandle(held);
    ASSERT_EQ(1u, modules.size());
    EXPECT_EQ(EModuleKind::kUnreadable, modules[0].kind);
    EXPECT_NE(std::string::npos, modules[0].reason.find("cannot open")) << modules[0].reason;
}

TEST(ModuleDiscovery, FileTimesKeepTheirHundredNanoseconds) {
    // 2026-12-11 02:48:28 UTC and 1234567 ticks of 100 ns
    const unsigned long long time = 134414309081234567ULL;
    EXPECT_EQ("2026-12-11T02:48:28.1234567Z", heliodrum::FileTimeText(time));
    EXPECT_NE(heliodrum::FileTimeText(time), heliodrum::FileTimeText(time + 1));
}

}  // namespace
}  // namespace heliodrum_test
