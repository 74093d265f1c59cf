#include "host/scan_options.h"

#include <cwchar>

#include "host/utf8_text.h"

namespace heliodrum {

const char kScanUsage[] =
    "Usage: heliodrum-scan [options] FOLDER_OR_DLL...\n"
    "Scans every .dll under the folders with the server of its architecture and\n"
    "writes the plug-in list.\n"
    "  --list FILE          the plug-in list to update (default: plugin-list.json)\n"
    "  --server-x86 EXE     the server for 32-bit modules\n"
    "  --server-x64 EXE     the server for 64-bit modules\n"
    "  --jobs N             servers at once (default: one per processor)\n"
    "  --timeout SECONDS    time for one request before its server is ended (default 30)\n"
    "  --dump-folder DIR    where crashed servers leave their dumps (default: next to the list)\n"
    "  --rescan             scan unchanged modules again\n"
    "  --retry-failed       scan again modules that crashed, hung or failed before\n"
    "  --progress live|plain|quiet   how progress is shown (default: live on a console)\n";

namespace {

bool ReadNumber(const std::wstring& text, double& value) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    value = std::wcstod(text.c_str(), &end);
    return end && *end == L'\0';
}

}  // namespace

bool ParseScanOptions(const std::vector<std::wstring>& arguments, SScanOptions& options, std::string& problem) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        auto value = [&](std::wstring& into) {
            if (i + 1 >= arguments.size()) {
                problem = ToUtf8(argument) + " needs a value";
                return false;
            }
            into = arguments[++i];
            return true;
        };
        std::wstring text;
        if (argument == L"--help" || argument == L"-h") {
            options.help = true;
        } else if (argument == L"--list") {
            if (!value(options.listPath)) return false;
        } else if (argument == L"--server-x86") {
            if (!value(options.serverX86)) return false;
        } else if (argument == L"--server-x64") {
            if (!value(options.serverX64)) return false;
        } else if (argument == L"--dump-folder") {
            if (!value(options.dumpFolder)) return false;
        } else if (argument == L"--jobs") {
            double jobs = 0;
            if (!value(text)) return false;
            if (!ReadNumber(text, jobs) || jobs < 1 || jobs > 64 || jobs != static_cast<unsigned>(jobs)) {
                problem = "--jobs takes a whole number from 1 to 64";
                return false;
            }
            options.jobs = static_cast<unsigned>(jobs);
        } else if (argument == L"--timeout") {
            if (!value(text)) return false;
            if (!ReadNumber(text, options.timeoutSeconds) || !(options.timeoutSeconds > 0) ||
                options.timeoutSeconds > 86400) {
                problem = "--timeout takes a number of seconds above 0";
                return false;
            }
        } else if (argument == L"--rescan") {
            options.rescan = true;
        } else if (argument == L"--retry-failed") {
            options.retryFailed = true;
        } else if (argument == L"--progress") {
            if (!value(text)) return false;
            if (text == L"live") options.progress = EProgressStyle::kLive;
            else if (text == L"plain") options.progress = EProgressStyle::kPlain;
            else if (text == L"quiet") options.progress = EProgressStyle::kQuiet;
            else if (text == L"auto") options.progress = EProgressStyle::kAuto;
            else {
                problem = "--progress takes live, plain, quiet or auto";
                return false;
            }
        } else if (argument.size() > 1 && argument[0] == L'-' && argument[1] == L'-') {
            problem = "unknown option " + ToUtf8(argument);
            return false;
        } else {
            options.folders.push_back(argument);
        }
    }
    if (!options.help && options.folders.empty()) {
        problem = "no folder to scan";
        return false;
    }
    return true;
}

}  // namespace heliodrum
