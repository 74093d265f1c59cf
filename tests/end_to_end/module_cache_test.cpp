// Which module a request loads, reuses, keeps or frees, seen from the host:
// the progress lines of each answer and what the plug-in itself reports.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "tests/end_to_end/plugin_names.h"
#include "host/utf8_text.h"
#include "tests/end_to_end/server_session.h"

namespace heliodrum_test {
namespace {

bool Has(const std::vector<std::string>& answer, const std::string& line) {
    return std::find(answer.begin(), answer.end(), line) != answer.end();
}

const std::string kLoading = "info:Loading library...";
const std::string kReusing = "info:Re-using previous library instance...";
const std::string kKeeping = "info:Keeping shell library loaded for now...";
const std::string kFreeing = "info:Freeing library...";
const std::string kFreeingCached = "info:Freeing cached library...";
const std::string kFreed = "info:Freed";

class ModuleCache : public ::testing::Test {
protected:
    const std::string shell = heliodrum::ToUtf8(TestPluginPath(kShellPlugin));
    const std::string plain = heliodrum::ToUtf8(TestPluginPath(kPlainPlugin));
    const std::string missing = "C:\\no such folder\\missing.dll";
};

TEST_F(ModuleCache, AShellStaysLoadedForItsSubPlugins) {
    CServerSession server;
    const auto first = server.Ask(shell);
    EXPECT_TRUE(Has(first, kLoading));
    EXPECT_TRUE(Has(first, kKeeping));
    EXPECT_FALSE(Has(first, kFreeingCached)) << "nothing was cached before";
    EXPECT_EQ("10", Field(first, "category"));

    const auto sub = server.Ask(shell + ">2A");
    EXPECT_EQ("info:Scanning plugin: '" + shell + ">2A'", sub[0]);
    EXPECT_EQ(kReusing, sub[1]);
    EXPECT_FALSE(Has(sub, kLoading));
    EXPECT_TRUE(Has(sub, kKeeping)) << "a reused module stays, whatever its probe found";
    EXPECT_NE(std::string::npos, Field(sub, "name").find("0000002A")) << "the id reached audioMasterCurrentId";

    const auto none = server.Ask(shell);
    EXPECT_NE(std::string::npos, Field(none, "name").find("00000000")) << "no id: 0 reaches the plug-in";

    DWORD exitCode;
    EXPECT_EQ((std::vector<std::string>{kFreeingCached, kFreed}), server.Stop(exitCode));
    EXPECT_EQ(0u, exitCode);
}

TEST_F(ModuleCache, APlainModuleIsFreedAfterItsScan) {
    CServerSession server;
    const auto first = server.Ask(plain);
    EXPECT_TRUE(Has(first, kFreeing));
    EXPECT_FALSE(Has(first, kKeeping));
    EXPECT_TRUE(Has(server.Ask(plain), kLoading)) << "not cached: loaded again";
    DWORD exitCode;
    EXPECT_TRUE(server.Stop(exitCode).empty());
    EXPECT_EQ(0u, exitCode);
}

TEST_F(ModuleCache, AnotherPathFreesTheHeldModuleFirst) {
    CServerSession server;
    server.Ask(shell);

    // held shell, then a path that does not load: freed, and the cache is empty
    const auto failed = server.Ask(missing);
    const std::vector<std::string> expectedHead = {"info:Scanning plugin: '" + missing + "'", kFreeingCached, kFreed,
                                                   kLoading};
    EXPECT_EQ(expectedHead, std::vector<std::string>(failed.begin(), failed.begin() + 4));
    EXPECT_FALSE(Has(failed, "info:Finished"));
    EXPECT_TRUE(Has(server.Ask(shell), kLoading));

    // held shell, then a plain module: both are freed
    const auto other = server.Ask(plain);
    EXPECT_TRUE(Has(other, kFreeingCached));
    EXPECT_TRUE(Has(other, kFreeing));
    EXPECT_FALSE(Has(server.Ask(plain), kFreeingCached)) << "nothing is held any more";

    // the same file under a path in another letter case is another path
    server.Ask(shell);
    std::string otherCase = shell;
    const size_t dot = otherCase.rfind(".dll");
    otherCase.replace(dot, 4, ".DLL");
    const auto recased = server.Ask(otherCase);
    EXPECT_TRUE(Has(recased, kFreeingCached));
    EXPECT_TRUE(Has(recased, kLoading));
    EXPECT_FALSE(Has(recased, kReusing));
}

TEST_F(ModuleCache, AnotherShellTakesThePlace) {
    CScratchFolder folder;
    const std::wstring copy = folder.Path() + L"\\shell-copy.dll";
    ASSERT_TRUE(CopyFileW(TestPluginPath(kShellPlugin).c_str(), copy.c_str(), FALSE));
    CServerSession server;
    server.Ask(shell);
    const auto second = server.Ask(heliodrum::ToUtf8(copy));
    EXPECT_TRUE(Has(second, kFreeingCached));
    EXPECT_TRUE(Has(second, kKeeping));
    EXPECT_EQ(kReusing, server.Ask(heliodrum::ToUtf8(copy) + ">11")[1]);
    DWORD exitCode;
    EXPECT_EQ((std::vector<std::string>{kFreeingCached, kFreed}), server.Stop(exitCode));
}

TEST_F(ModuleCache, AnEmptyOrLeadingSeparatorRequestIsTheEmptyPath) {
    CServerSession server;
    server.Ask(shell);
    const auto empty = server.Ask("");
    EXPECT_EQ("info:Scanning plugin: ''", empty[0]);
    EXPECT_EQ(kFreeingCached, empty[1]);
    EXPECT_EQ(kLoading, empty[3]);
    EXPECT_EQ(0u, empty[4].find("error:Failed to load library, err=")) << empty[4];
    const auto separator = server.Ask(">2A");
    EXPECT_EQ(kLoading, separator[1]) << "nothing held, nothing freed";
}

TEST(FileVersion, FillsAnEmptyVersionOnly) {
    CServerSession server;
    const struct {
        const char* plugin;
        const char* version;
    } cases[] = {
        {kProductVersionPlugin, "1.2.3.4"},
        {kFileVersionPlugin, "2.0.0.7"},
        {kZeroVersionPlugin, ""},
        {kNoVersionPlugin, ""},
        {kOwnVersionPlugin, "1.2.3.4"},
    };
    for (const auto& c : cases) {
        const auto answer = server.Ask(heliodrum::ToUtf8(TestPluginPath(c.plugin)));
        EXPECT_EQ(c.version, Field(answer, "version")) << c.plugin;
        EXPECT_EQ("", Field(answer, "error")) << c.plugin;
    }
}

}  // namespace
}  // namespace heliodrum_test
