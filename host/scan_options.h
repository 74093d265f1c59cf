#pragma once
// The scanner's command line.
#include <string>
#include <vector>

namespace heliodrum {

enum class EProgressStyle { kAuto, kLive, kPlain, kQuiet };

struct SScanOptions {
    std::vector<std::wstring> folders;
    std::wstring listPath;
    std::wstring serverX86;
    std::wstring serverX64;
    std::wstring dumpFolder;  // default: a folder next to the list
    unsigned jobs = 0;        // 0: one per processor
    double timeoutSeconds = 30;
    bool rescan = false;
    bool retryFailed = false;
    EProgressStyle progress = EProgressStyle::kAuto;
    bool help = false;
};

// False with `problem` set for a command line that cannot be used.
bool ParseScanOptions(const std::vector<std::wstring>& arguments, SScanOptions& options, std::string& problem);

extern const char kScanUsage[];

}  // namespace heliodrum
