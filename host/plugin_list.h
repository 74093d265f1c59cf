#pragma once
// The plug-in list a host loads: one entry per module and per sub-plug-in of a
// shell, read from and written to one JSON file.
#include <cstdint>
#include <string>
#include <vector>

#include "host/plugin_report.h"

namespace heliodrum {

enum class EScanStatus {
    kOk,           // the server described the plug-in
    kFailed,       // the server answered with an error (load failure, refusal)
    kTimeout,      // no answer in time: the server was ended
    kCrashed,      // the server ended while scanning it
    kError,        // the scanner could not get or read an answer
    kUnsupported,  // not a module for either server
    kUnreadable,   // the file could not be read
};

const char* StatusName(EScanStatus status);
bool StatusFromName(const std::string& name, EScanStatus& status);
// Timeouts and crashes are remembered: such modules are not scanned again
// unless asked.
bool IsBlacklisting(EScanStatus status);

struct SPluginEntry {
    std::string path;  // UTF-8
    bool isSubPlugin = false;
    uint32_t subId = 0;
    std::string subName;       // the name the shell gave the sub-plug-in
    std::string architecture;  // "x86", "x64" or empty
    EScanStatus status = EScanStatus::kError;
    std::string reason;  // why the status is not ok
    std::string dump;    // the crash dump of a crashed server, when one was written
    bool hasReport = false;
    SPluginReport report;
    std::vector<std::string> info;
    std::vector<std::string> warn;
    double seconds = 0;
    uint64_t size = 0;
    std::string modified;  // the file's last write time, UTC, to 100 ns
};

// A module file as found on disk.
struct SModuleStamp {
    uint64_t size = 0;
    std::string modified;
};

std::string ListToJsonText(const std::vector<SPluginEntry>& entries);
// False with `problem` set when the text is not a plug-in list; entries that
// cannot be read are left out and counted in `skipped`.
bool ListFromJsonText(const std::string& text, std::vector<SPluginEntry>& entries, size_t& skipped,
                      std::string& problem);

// Writes the list next to its final place and renames it over the old one, so
// a reader never sees half a list and an interrupted scan keeps the last one.
bool SaveList(const std::wstring& path, const std::vector<SPluginEntry>& entries, std::string& problem);
// A missing file is an empty list, not a failure.
bool LoadList(const std::wstring& path, std::vector<SPluginEntry>& entries, size_t& skipped, std::string& problem);

// Modules first by path (without case), each followed by its sub-plug-ins by id.
void SortEntries(std::vector<SPluginEntry>& entries);

}  // namespace heliodrum
