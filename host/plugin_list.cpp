#include "host/plugin_list.h"

#include <windows.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "host/utf8_text.h"

namespace heliodrum {

namespace {

using Json = nlohmann::json;

const char kListKind[] = "Heliodrum plug-in list";
const int kListVersion = 1;

const char* const kStatusNames[] = {"ok", "failed", "timeout", "crashed", "error", "unsupported", "unreadable"};

Json ReportToJson(const SPluginReport& report) {
    Json json = {
        {"id", HexId(report.id)},
        {"name", report.name},
        {"vendor", report.vendor},
        {"product", report.product},
        {"version", report.version},
        {"error", report.error},
        {"numInputs", report.numInputs},
        {"numOutputs", report.numOutputs},
        {"wantsMidi", report.wantsMidi},
        {"sendsMidi", report.sendsMidi},
        {"platform", report.platform},
        {"audio64", report.audio64},
        {"category", report.category},
        {"synthEdit", report.synthEdit},
    };
    if (report.category == kShellCategory) {
        // an array keeps the order the shell named them in
        Json shells = Json::array();
        for (const auto& shell : report.shells) shells.push_back({{"id", HexId(shell.first)}, {"name", shell.second}});
        json["shells"] = shells;
    }
    return json;
}

// Readers that accept only the expected type, so a hand-edited or foreign
// file can never throw out of the loader.
bool GetText(const Json& object, const char* key, std::string& value) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string()) return false;
    value = found->get<std::string>();
    return true;
}

template <typename T>
bool GetNumber(const Json& object, const char* key, T& value) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number()) return false;
    value = found->get<T>();
    return true;
}

bool GetBoolean(const Json& object, const char* key, bool& value) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_boolean()) return false;
    value = found->get<bool>();
    return true;
}

bool GetHexId(const Json& object, const char* key, uint32_t& value) {
    std::string text;
    if (!GetText(object, key, text) || text.size() != 8) return false;
    value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

bool GetLines(const Json& object, const char* key, std::vector<std::string>& lines) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_array()) return false;
    for (const Json& line : *found) {
        if (!line.is_string()) return false;
        lines.push_back(line.get<std::string>());
    }
    return true;
}

bool ReportFromJson(const Json& json, SPluginReport& report) {
    if (!json.is_object()) return false;
    bool read = GetHexId(json, "id", report.id) && GetText(json, "name", report.name) &&
                GetText(json, "vendor", report.vendor) && GetText(json, "product", report.product) &&
                GetText(json, "version", report.version) && GetText(json, "error", report.error) &&
                GetNumber(json, "numInputs", report.numInputs) && GetNumber(json, "numOutputs", report.numOutputs) &&
                GetBoolean(json, "wantsMidi", report.wantsMidi) && GetBoolean(json, "sendsMidi", report.sendsMidi) &&
                GetText(json, "platform", report.platform) && GetBoolean(json, "audio64", report.audio64) &&
                GetNumber(json, "category", report.category) && GetBoolean(json, "synthEdit", report.synthEdit);
    if (!read) return false;
    const auto shells = json.find("shells");
    if (shells == json.end()) return true;
    if (!shells->is_array()) return false;
    for (const Json& shell : *shells) {
        uint32_t id = 0;
        std::string name;
        if (!shell.is_object() || !GetHexId(shell, "id", id) || !GetText(shell, "name", name)) return false;
        report.shells.emplace_back(id, name);
    }
    return true;
}

Json EntryToJson(const SPluginEntry& entry) {
    Json json;
    json["path"] = entry.path;
    json["subId"] = entry.isSubPlugin ? Json(HexId(entry.subId)) : Json(nullptr);
    if (entry.isSubPlugin) json["subName"] = entry.subName;
    json["architecture"] = entry.architecture;
    json["status"] = StatusName(entry.status);
    json["reason"] = entry.reason;
    if (!entry.dump.empty()) json["dump"] = entry.dump;
    json["report"] = entry.hasReport ? ReportToJson(entry.report) : Json(nullptr);
    json["info"] = entry.info;
    json["warn"] = entry.warn;
    json["seconds"] = entry.seconds;
    json["size"] = entry.size;
    json["modified"] = entry.modified;
    return json;
}

bool EntryFromJson(const Json& json, SPluginEntry& entry) {
    if (!json.is_object()) return false;
    std::string status;
    if (!GetText(json, "path", entry.path) || !GetText(json, "architecture", entry.architecture) ||
        !GetText(json, "status", status) || !StatusFromName(status, entry.status) ||
        !GetText(json, "reason", entry.reason) || !GetLines(json, "info", entry.info) ||
        !GetLines(json, "warn", entry.warn) || !GetNumber(json, "seconds", entry.seconds) ||
        !GetNumber(json, "size", entry.size) || !GetText(json, "modified", entry.modified))
        return false;
    const auto subId = json.find("subId");
    if (subId == json.end()) return false;
    entry.isSubPlugin = !subId->is_null();
    if (entry.isSubPlugin && (!GetHexId(json, "subId", entry.subId) || !GetText(json, "subName", entry.subName)))
        return false;
    GetText(json, "dump", entry.dump);  // only crashes have one
    const auto report = json.find("report");
    if (report == json.end()) return false;
    entry.hasReport = !report->is_null();
    return !entry.hasReport || ReportFromJson(*report, entry.report);
}

std::string SystemErrorText(const char* what) { return std::string(what) + " failed, error " + std::to_string(GetLastError()); }

}  // namespace

const char* StatusName(EScanStatus status) { return kStatusNames[static_cast<int>(status)]; }

bool StatusFromName(const std::string& name, EScanStatus& status) {
    for (size_t i = 0; i < sizeof kStatusNames / sizeof kStatusNames[0]; ++i) {
        if (name == kStatusNames[i]) {
            status = static_cast<EScanStatus>(i);
            return true;
        }
    }
    return false;
}

bool IsBlacklisting(EScanStatus status) { return status == EScanStatus::kTimeout || status == EScanStatus::kCrashed; }

std::string ListToJsonText(const std::vector<SPluginEntry>& entries) {
    Json plugins = Json::array();
    for (const SPluginEntry& entry : entries) plugins.push_back(EntryToJson(entry));
    const Json list = {{"list", kListKind}, {"version", kListVersion}, {"plugins", plugins}};
    // a plug-in's progress lines are the one text the scanner does not make
    // itself: should one not be UTF-8, it is mended, never a reason to fail
    return list.dump(1, '\t', false, Json::error_handler_t::replace) + "\n";
}

bool ListFromJsonText(const std::string& text, std::vector<SPluginEntry>& entries, size_t& skipped,
                      std::string& problem) {
    entries.clear();
    skipped = 0;
    const Json list = Json::parse(text, nullptr, false);
    if (list.is_discarded()) {
        problem = "not valid JSON";
        return false;
    }
    std::string kind;
    int version = 0;
    if (!list.is_object() || !GetText(list, "list", kind) || kind != kListKind) {
        problem = "not a plug-in list";
        return false;
    }
    if (!GetNumber(list, "version", version) || version != kListVersion) {
        problem = "a plug-in list of another version";
        return false;
    }
    const auto plugins = list.find("plugins");
    if (plugins == list.end() || !plugins->is_array()) {
        problem = "the list has no plug-ins array";
        return false;
    }
    for (const Json& item : *plugins) {
        SPluginEntry entry;
        if (EntryFromJson(item, entry))
            entries.push_back(std::move(entry));
        else
            ++skipped;
    }
    return true;
}

bool SaveList(const std::wstring& path, const std::vector<SPluginEntry>& entries, std::string& problem) {
    const std::string text = ListToJsonText(entries);
    const std::wstring temporary = path + L".partial-" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = SystemErrorText("creating the list file");
        return false;
    }
    DWORD written = 0;
    const bool complete = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                          written == text.size() && FlushFileBuffers(file);
    if (!complete) problem = SystemErrorText("writing the list file");
    CloseHandle(file);
    if (complete && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (complete) problem = SystemErrorText("renaming the list file");
    DeleteFileW(temporary.c_str());
    return false;
}

bool LoadList(const std::wstring& path, std::vector<SPluginEntry>& entries, size_t& skipped, std::string& problem) {
    entries.clear();
    skipped = 0;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        problem = "opening the list failed, error " + std::to_string(error);
        return false;
    }
    std::string text;
    char chunk[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &read, nullptr) != 0) && read > 0) text.append(chunk, read);
    CloseHandle(file);
    if (!ok) {
        problem = SystemErrorText("reading the list");
        return false;
    }
    return ListFromJsonText(text, entries, skipped, problem);
}

void SortEntries(std::vector<SPluginEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const SPluginEntry& a, const SPluginEntry& b) {
        const std::wstring left = FoldCase(FromUtf8(a.path)), right = FoldCase(FromUtf8(b.path));
        if (left != right) return left < right;
        if (a.isSubPlugin != b.isSubPlugin) return !a.isSubPlugin;
        return a.subId < b.subId;
    });
}

}  // namespace heliodrum
