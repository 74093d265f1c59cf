#include "host/answer_verdict.h"

#include <cstdio>

#include "host/plugin_report.h"
#include "host/utf8_text.h"

namespace heliodrum {

namespace {

// The server reads a request in one read of at most 1023 bytes, its line feed
// included; anything longer would be cut and scan some other path.
const size_t kLongestRequest = 1022;

void TakeProgress(const SServerAnswer& answer, SPluginEntry& entry) {
    entry.info = answer.info;
    entry.warn = answer.warn;
}

}  // namespace

void JudgeAnswer(const std::vector<std::string>& lines, SPluginEntry& entry) {
    const SServerAnswer answer = ParseAnswer(lines);
    TakeProgress(answer, entry);
    entry.hasReport = false;
    if (!answer.readable) {
        entry.status = EScanStatus::kError;
        entry.reason = "unreadable answer: " + answer.problem;
        return;
    }
    entry.hasReport = true;
    entry.report = answer.report;
    if (!answer.report.error.empty()) {
        entry.status = EScanStatus::kFailed;
        entry.reason = answer.report.error;
    } else if (!answer.errors.empty()) {
        entry.status = EScanStatus::kFailed;
        entry.reason = answer.errors.front();
    } else {
        entry.status = EScanStatus::kOk;
        entry.reason.clear();
    }
}

void JudgeTimeout(const std::vector<std::string>& lines, double timeoutSeconds, SPluginEntry& entry) {
    TakeProgress(ParseAnswer(lines), entry);
    entry.status = EScanStatus::kTimeout;
    char text[96];
    std::snprintf(text, sizeof text, "no answer within %g s; the server was ended", timeoutSeconds);
    entry.reason = text;
}

void JudgeCrash(const std::vector<std::string>& lines, bool exited, DWORD exitCode, const std::wstring& dump,
                SPluginEntry& entry) {
    TakeProgress(ParseAnswer(lines), entry);
    entry.status = EScanStatus::kCrashed;
    char text[96];
    if (exited)
        std::snprintf(text, sizeof text, "the server ended with exit code %lu (0x%08lX)", static_cast<unsigned long>(exitCode),
                      static_cast<unsigned long>(exitCode));
    else
        std::snprintf(text, sizeof text, "the server's answer pipe broke");
    entry.reason = text;
    entry.dump = ToUtf8(dump);
    if (dump.empty()) entry.reason += "; it left no dump";
}

std::string RequestLine(const std::wstring& path, bool isSubPlugin, uint32_t subId) {
    std::string line = ToUtf8(path);
    if (isSubPlugin) line += ">" + HexId(subId);
    if (line.size() > kLongestRequest || line.find('\n') != std::string::npos) return std::string();
    return line;
}

}  // namespace heliodrum
