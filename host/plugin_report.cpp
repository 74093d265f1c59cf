#include "host/plugin_report.h"

#include <cstdio>
#include <cstring>

namespace heliodrum {

namespace {

const char kReportTag[] = ">:";
const char kReportEnd[] = ">:}";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

int HexDigit(char c, bool upperOnly, bool lowerOnly) {
    if (c >= '0' && c <= '9') return c - '0';
    if (!lowerOnly && c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (!upperOnly && c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Turns the escaped code units into UTF-8. The server escapes code units, not
// characters, so a pair of surrogates arrives as two escapes; one without its
// partner cannot be UTF-8 and becomes U+FFFD.
std::string Utf16ToUtf8(const std::vector<uint16_t>& units) {
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        const uint32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

// Walks one report line from left to right; every step either matches exactly
// or fails, leaving `problem` set.
class CLineReader {
public:
    explicit CLineReader(const std::string& line) : m_line(line) {}

    bool Literal(const char* text) {
        const size_t length = std::strlen(text);
        if (m_line.compare(m_position, length, text) != 0) return Fail(std::string("expected '") + text + "'");
        m_position += length;
        return true;
    }

    bool HexId(uint32_t& value) {
        value = 0;
        for (int i = 0; i < 8; ++i) {
            const int digit = m_position < m_line.size() ? HexDigit(m_line[m_position], true, false) : -1;
            if (digit < 0) return Fail("expected eight upper-case hexadecimal digits");
            value = value << 4 | static_cast<uint32_t>(digit);
            ++m_position;
        }
        return true;
    }

    // A quoted text as the server escapes it: printable ASCII as it is, the
    // eight short escapes, and \u with four lower-case digits for the rest.
    bool Text(std::string& value) {
        if (!Literal("\"")) return false;
        std::vector<uint16_t> units;
        for (;;) {
            if (m_position >= m_line.size()) return Fail("unterminated text");
            const char c = m_line[m_position++];
            if (c == '"') break;
            const unsigned char byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte > 0x7E) return Fail("unescaped character in a text");
            if (c != '\\') {
                units.push_back(byte);
                continue;
            }
            if (m_position >= m_line.size()) return Fail("unterminated escape");
            const char escape = m_line[m_position++];
            switch (escape) {
                case '"': units.push_back('"'); break;
                case '\\': units.push_back('\\'); break;
                case '/': units.push_back('/'); break;
                case 'b': units.push_back('\b'); break;
                case 'f': units.push_back('\f'); break;
                case 'n': units.push_back('\n'); break;
                case 'r': units.push_back('\r'); break;
                case 't': units.push_back('\t'); break;
                case 'u': {
                    uint16_t unit = 0;
                    for (int i = 0; i < 4; ++i) {
                        const int digit = m_position < m_line.size() ? HexDigit(m_line[m_position], false, true) : -1;
                        if (digit < 0) return Fail("\\u needs four lower-case hexadecimal digits");
                        unit = static_cast<uint16_t>(unit << 4 | digit);
                        ++m_position;
                    }
                    units.push_back(unit);
                    break;
                }
                default: return Fail(std::string("unknown escape \\") + escape);
            }
        }
        value = Utf16ToUtf8(units);
        return true;
    }

    // A signed 32-bit decimal number: an optional minus sign and digits.
    bool Integer(int32_t& value) {
        const size_t start = m_position;
        if (m_position < m_line.size() && m_line[m_position] == '-') ++m_position;
        int64_t magnitude = 0;
        size_t digits = 0;
        while (m_position < m_line.size() && m_line[m_position] >= '0' && m_line[m_position] <= '9') {
            magnitude = magnitude * 10 + (m_line[m_position++] - '0');
            if (++digits > 10) return Fail("number out of range");
        }
        if (digits == 0) return Fail("expected a number");
        const bool negative = m_line[start] == '-';
        const int64_t signedValue = negative ? -magnitude : magnitude;
        if (signedValue < INT32_MIN || signedValue > INT32_MAX) return Fail("number out of range");
        value = static_cast<int32_t>(signedValue);
        return true;
    }

    bool Boolean(bool& value) {
        if (m_line.compare(m_position, 4, "true") == 0) {
            m_position += 4;
            value = true;
            return true;
        }
        if (m_line.compare(m_position, 5, "false") == 0) {
            m_position += 5;
            value = false;
            return true;
        }
        return Fail("expected true or false");
    }

    bool End() { return m_position == m_line.size() || Fail("unexpected text at the end"); }

    const std::string& Problem() const { return m_problem; }

private:
    bool Fail(const std::string& problem) {
        if (m_problem.empty()) m_problem = problem + " at column " + std::to_string(m_position + 1);
        return false;
    }

    const std::string& m_line;
    size_t m_position = 0;
    std::string m_problem;
};

enum class EValue { kHexId, kText, kInteger, kBoolean };

struct SMember {
    const char* label;  // everything before the value, alignment blanks included
    EValue kind;
    void* (*field)(SPluginReport&);
};

template <typename T, T SPluginReport::*Member>
void* FieldOf(SPluginReport& report) {
    return &(report.*Member);
}

// The member lines in the order the server writes them; every one of them
// ends in a comma, the last included.
const SMember kMembers[] = {
    {"  \"id\":        ", EValue::kHexId, FieldOf<uint32_t, &SPluginReport::id>},
    {"  \"name\":      ", EValue::kText, FieldOf<std::string, &SPluginReport::name>},
    {"  \"vendor\":    ", EValue::kText, FieldOf<std::string, &SPluginReport::vendor>},
    {"  \"product\":   ", EValue::kText, FieldOf<std::string, &SPluginReport::product>},
    {"  \"version\":   ", EValue::kText, FieldOf<std::string, &SPluginReport::version>},
    {"  \"error\":     ", EValue::kText, FieldOf<std::string, &SPluginReport::error>},
    {"  \"numInputs\": ", EValue::kInteger, FieldOf<int32_t, &SPluginReport::numInputs>},
    {"  \"numOutputs\":", EValue::kInteger, FieldOf<int32_t, &SPluginReport::numOutputs>},
    {"  \"wantsMidi\":  ", EValue::kBoolean, FieldOf<bool, &SPluginReport::wantsMidi>},
    {"  \"sendsMidi\": ", EValue::kBoolean, FieldOf<bool, &SPluginReport::sendsMidi>},
    {"  \"platform\":  ", EValue::kText, FieldOf<std::string, &SPluginReport::platform>},
    {"  \"audio64\":   ", EValue::kBoolean, FieldOf<bool, &SPluginReport::audio64>},
    {"  \"category\":  ", EValue::kInteger, FieldOf<int32_t, &SPluginReport::category>},
    {"  \"synthEdit\": ", EValue::kBoolean, FieldOf<bool, &SPluginReport::synthEdit>},
};

bool ReadMember(const std::string& line, const SMember& member, SPluginReport& report, std::string& problem) {
    CLineReader reader(line);
    void* field = member.field(report);
    bool read = reader.Literal(member.label);
    if (read) {
        switch (member.kind) {
            case EValue::kHexId:
                read = reader.Literal("\"") && reader.HexId(*static_cast<uint32_t*>(field)) && reader.Literal("\"");
                break;
            case EValue::kText: read = reader.Text(*static_cast<std::string*>(field)); break;
            case EValue::kInteger: read = reader.Integer(*static_cast<int32_t*>(field)); break;
            case EValue::kBoolean: read = reader.Boolean(*static_cast<bool*>(field)); break;
        }
    }
    read = read && reader.Literal(",") && reader.End();
    if (!read) problem = reader.Problem();
    return read;
}

bool ReadShell(const std::string& line, SPluginReport& report, std::string& problem) {
    CLineReader reader(line);
    uint32_t id = 0;
    std::string name;
    if (reader.Literal("        \"") && reader.HexId(id) && reader.Literal("\": ") && reader.Text(name) &&
        reader.Literal(",") && reader.End()) {
        report.shells.emplace_back(id, std::move(name));
        return true;
    }
    problem = reader.Problem();
    return false;
}

// Reads the report's lines (their tags removed) into `report`.
bool ReadReport(const std::vector<std::string>& lines, SPluginReport& report, std::string& problem) {
    const size_t memberCount = sizeof kMembers / sizeof kMembers[0];
    size_t index = 0;
    auto fail = [&](const std::string& what) {
        problem = "report line " + std::to_string(index + 1) + " '" + (index < lines.size() ? lines[index] : "") +
                  "': " + what;
        return false;
    };
    if (lines.empty() || lines[0] != "{") return fail("expected '{'");
    for (index = 1; index <= memberCount; ++index) {
        if (index >= lines.size()) return fail("the report ends early");
        std::string what;
        if (!ReadMember(lines[index], kMembers[index - 1], report, what)) return fail(what);
    }
    if (report.category == kShellCategory) {
        if (index >= lines.size() || lines[index] != "  \"shells\": {") return fail("expected the shells block");
        for (++index; index < lines.size() && lines[index] != "  },"; ++index) {
            std::string what;
            if (!ReadShell(lines[index], report, what)) return fail(what);
        }
        if (index >= lines.size()) return fail("the shells block is not closed");
        ++index;
    }
    if (index >= lines.size() || lines[index] != "}") return fail("expected '}'");
    if (index + 1 != lines.size()) {
        ++index;
        return fail("a line after the report's end");
    }
    return true;
}

}  // namespace

std::string HexId(uint32_t id) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(id));
    return text;
}

bool AnswerIsComplete(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (line == kReportEnd) return true;
    return false;
}

SServerAnswer ParseAnswer(const std::vector<std::string>& lines) {
    SServerAnswer answer;
    std::vector<std::string> reportLines;
    // the progress line an untagged line continues (by list and index: the
    // lists grow, so no pointer into them stays valid)
    std::vector<std::string>* previousList = nullptr;
    for (const std::string& line : lines) {
        if (StartsWith(line, kReportTag)) {
            reportLines.push_back(line.substr(2));
            continue;
        }
        const size_t colon = line.find(':');
        const std::string tag = colon == std::string::npos ? std::string() : line.substr(0, colon);
        std::vector<std::string>* kind = tag == "info" ? &answer.info
                                         : tag == "warn" ? &answer.warn
                                         : tag == "error" ? &answer.errors
                                                          : nullptr;
        if (kind) {
            kind->push_back(line.substr(colon + 1));
            previousList = kind;
        } else if (previousList) {
            previousList->back() += "\n" + line;
        } else {
            answer.info.push_back(line);
            previousList = &answer.info;
        }
    }
    if (reportLines.empty()) {
        answer.problem = "the answer holds no report";
        return answer;
    }
    answer.readable = ReadReport(reportLines, answer.report, answer.problem);
    return answer;
}

}  // namespace heliodrum
