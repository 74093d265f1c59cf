// The whole answer to a request that loads a module, line by line, as the host
// receives it.
#include <gtest/gtest.h>

#include <cctype>

#include "tests/end_to_end/plugin_names.h"
#include "host/utf8_text.h"
#include "tests/end_to_end/server_session.h"

namespace heliodrum_test {
namespace {

bool IsModuleLine(const std::string& line) {
    const std::string prefix = "info:Looking for entry point in module ";
    const size_t digits = 2 * sizeof(void*);
    if (line.size() != prefix.size() + digits || line.compare(0, prefix.size(), prefix) != 0) return false;
    for (size_t i = prefix.size(); i < line.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(line[i])) || std::islower(static_cast<unsigned char>(line[i])))
            return false;
    return true;
}

TEST(LoadAnswer, APlainEffectFromLoadToReport) {
    CServerSession server;
    const std::string path = heliodrum::ToUtf8(TestPluginPath(kPlainPlugin));
    std::vector<std::string> answer = server.Ask(path);
    ASSERT_GT(answer.size(), 3u);
    EXPECT_TRUE(IsModuleLine(answer[2])) << answer[2];
    answer[2] = "<module line>";
    const std::vector<std::string> expected = {
        "info:Scanning plugin: '" + path + "'",
        "info:Loading library...",
        "<module line>",
        "info:Found VSTPluginMain()",
        "info:Calling entry point...",
        "info:Dispatching effClose...",
        "info:Freeing library...",
        "info:Finished",
        ">:{",
        ">:  \"id\":        \"506C4566\",",
        ">:  \"name\":      \"plain_effect\",",
        ">:  \"vendor\":    \"Heliodrum Test Plug-ins\",",
        ">:  \"product\":   \"Plain Product\",",
        ">:  \"version\":   \"\",",
        ">:  \"error\":     \"\",",
        ">:  \"numInputs\": 2,",
        ">:  \"numOutputs\":2,",
        ">:  \"wantsMidi\":  false,",
        ">:  \"sendsMidi\": false,",
        ">:  \"platform\":  \"" + BuildArch() + "\",",
        ">:  \"audio64\":   true,",
        ">:  \"category\":  1,",
        ">:  \"synthEdit\": false,",
        ">:}",
    };
    EXPECT_EQ(expected, answer);
}

TEST(LoadAnswer, AShellListsItsSubPluginsAndStaysLoaded) {
    CServerSession server;
    const std::string path = heliodrum::ToUtf8(TestPluginPath(kShellPlugin));
    const std::vector<std::string> answer = server.Ask(path);
    const std::vector<std::string> progress = ProgressOf(answer);
    ASSERT_GE(progress.size(), 11u);
    const std::vector<std::string> tail(progress.end() - 6, progress.end());
    const std::vector<std::string> expectedTail = {
        "info:Found shell: 00000011 - Shell Alpha",
        "info:Found shell: 00000022 - Shell Beta",
        "info:Found shell: 0000002A - Shell Gamma",
        "info:Dispatching effClose...",
        "info:Keeping shell library loaded for now...",
        "info:Finished",
    };
    EXPECT_EQ(expectedTail, tail);

    const std::vector<std::string> report = ReportOf(answer);
    ASSERT_GE(report.size(), 6u);
    const std::vector<std::string> shells(report.end() - 6, report.end());
    const std::vector<std::string> expectedShells = {
        "  \"shells\": {",
        "        \"00000011\": \"Shell Alpha\",",
        "        \"00000022\": \"Shell Beta\",",
        "        \"0000002A\": \"Shell Gamma\",",
        "  },",
        "}",
    };
    EXPECT_EQ(expectedShells, shells);
    EXPECT_EQ("5368656C", Field(answer, "id"));
}

}  // namespace
}  // namespace heliodrum_test
