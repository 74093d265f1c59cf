#pragma once
// What one server answer says about one plug-in, read back from its lines.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace heliodrum {

constexpr int32_t kShellCategory = 10;

// The report's members, texts unescaped to UTF-8.
struct SPluginReport {
    uint32_t id = 0;
    std::string name;
    std::string vendor;
    std::string product;
    std::string version;
    std::string error;
    int32_t numInputs = 0;
    int32_t numOutputs = 0;
    bool wantsMidi = false;
    bool sendsMidi = false;
    std::string platform;
    bool audio64 = false;
    int32_t category = -1;
    bool synthEdit = false;
    // sub-plug-ins (id, name) in the order the report lists them; present only
    // for the shell category
    std::vector<std::pair<uint32_t, std::string>> shells;
};

struct SServerAnswer {
    bool readable = false;
    std::string problem;  // why the answer could not be read
    SPluginReport report;
    std::vector<std::string> info;    // progress lines, without their tags
    std::vector<std::string> warn;
    std::vector<std::string> errors;  // the error line of a failed scan
};

// Reads the lines of one answer (the prompt excluded). Progress lines may come
// before and between report lines (a plug-in's own threads also call the
// host); a line without a tag continues the line before it, which is how a
// message holding a line feed arrives.
SServerAnswer ParseAnswer(const std::vector<std::string>& lines);

// True once the lines hold a report's closing line: a "ready:" seen before
// that is text a plug-in wrote, not the server's prompt.
bool AnswerIsComplete(const std::vector<std::string>& lines);

// Eight upper-case hexadecimal digits, as the report writes ids.
std::string HexId(uint32_t id);

}  // namespace heliodrum
