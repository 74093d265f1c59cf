#include "server/plugin_info.h"

#include "server/log_channel.h"
#include "server/platform_name.h"
#include "toolkit/format.h"

CWideString JsonEscape(const CWideString& text) {
    CWideString escaped;
    if (text.IsEmpty()) {
        escaped.Assign(L"", 0);
        return escaped;
    }
    const wchar_t* units = text.Text();
    for (int32_t i = 0, length = text.GetLength(); i < length; ++i) {
        const wchar_t unit = units[i];
        const wchar_t* replacement = nullptr;
        switch (unit) {
            case L'"': replacement = L"\\\""; break;
            case L'\\': replacement = L"\\\\"; break;
            case L'/': replacement = L"\\/"; break;
            case L'\b': replacement = L"\\b"; break;
            case L'\f': replacement = L"\\f"; break;
            case L'\n': replacement = L"\\n"; break;
            case L'\r': replacement = L"\\r"; break;
            case L'\t': replacement = L"\\t"; break;
            default: break;
        }
        if (replacement) {
            escaped.Insert(-1, replacement, -1);
        } else if (unit >= 0x20 && unit <= 0x7E) {
            escaped.Insert(-1, &unit, 1);
        } else {
            const CWideString code = Format(L"\\u%.4x", static_cast<unsigned>(unit));
            escaped.Insert(-1, code.Text(), -1);
        }
    }
    return escaped;
}

namespace {

const wchar_t* BooleanText(bool value) { return value ? L"true" : L"false"; }

}  // namespace

void WriteReport(const CPluginInfo& info) {
    LogResult(L"{\n");
    LogResult(L"  \"id\":        \"%.8X\",\n", info.id);
    LogResult(L"  \"name\":      \"%s\",\n", JsonEscape(info.name));
    LogResult(L"  \"vendor\":    \"%s\",\n", JsonEscape(info.vendor));
    LogResult(L"  \"product\":   \"%s\",\n", JsonEscape(info.product));
    LogResult(L"  \"version\":   \"%s\",\n", JsonEscape(info.version));
    LogResult(L"  \"error\":     \"%s\",\n", JsonEscape(info.error));
    LogResult(L"  \"numInputs\": %i,\n", info.numInputs);
    LogResult(L"  \"numOutputs\":%i,\n", info.numOutputs);
    LogResult(L"  \"wantsMidi\":  %s,\n", BooleanText(info.wantsMidi));
    LogResult(L"  \"sendsMidi\": %s,\n", BooleanText(info.sendsMidi));
    LogResult(L"  \"platform\":  \"%s\",\n", kPlatformName);
    LogResult(L"  \"audio64\":   %s,\n", BooleanText(info.audio64));
    LogResult(L"  \"category\":  %i,\n", info.category);
    LogResult(L"  \"synthEdit\": %s,\n", BooleanText(info.synthEdit));
    if (info.category == kPlugCategShell) {
        LogResult(L"  \"shells\": {\n");
        for (int32_t i = 0; i < info.shells.GetCount(); ++i) {
            const CShellInfo* shell = info.shells[i];
            if (!shell) continue;
            LogResult(L"        \"%.8X\": \"%s\",\n", shell->id, JsonEscape(shell->name));
        }
        LogResult(L"  },\n");
    }
    LogResult(L"}\n");
}
