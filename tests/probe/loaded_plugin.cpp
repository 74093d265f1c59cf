#include "tests/probe/loaded_plugin.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "probe/vst_interface.h"

namespace {

template <typename TProc>
TProc Export(HMODULE module, const char* name) {
    return reinterpret_cast<TProc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::wstring Quoted(const CWideString& text) {
    if (text.IsAbsent()) return L"(absent)";
    return L"\"" + std::wstring(text.Text(), text.GetLength()) + L"\"";
}

std::wstring Hex(int32_t value) {
    wchar_t digits[16];
    std::swprintf(digits, 16, L"%08X", static_cast<unsigned>(value));
    return digits;
}

}  // namespace

CLoadedPlugin::CLoadedPlugin(const wchar_t* name) {
    const std::wstring path = std::wstring(L"plugins\\") + name + L".dll";
    m_module = LoadLibraryW(path.c_str());
    EXPECT_NE(nullptr, m_module) << "cannot load " << std::string(path.begin(), path.end()) << ", error "
                                 << GetLastError();
    if (!m_module) return;
    if (auto reset = Export<TestPluginResetProc>(m_module, "TestPluginReset")) reset();
}

CLoadedPlugin::~CLoadedPlugin() {
    if (m_module) FreeLibrary(m_module);
}

std::vector<STestCall> CLoadedPlugin::Calls() const {
    auto calls = m_module ? Export<TestPluginCallsProc>(m_module, "TestPluginCalls") : nullptr;
    if (!calls) {
        ADD_FAILURE() << "the plug-in has no call log";
        return {};
    }
    const STestCallLog* log = calls();
    const int stored = log->count < kTestCallCapacity ? log->count : kTestCallCapacity;
    return std::vector<STestCall>(log->calls, log->calls + stored);
}

int CLoadedPlugin::CallCount() const {
    auto calls = m_module ? Export<TestPluginCallsProc>(m_module, "TestPluginCalls") : nullptr;
    return calls ? calls()->count : -1;
}

void CLoadedPlugin::Configure(const STestPluginSettings& settings) const {
    auto configure = m_module ? Export<TestPluginConfigureProc>(m_module, "TestPluginConfigure") : nullptr;
    ASSERT_NE(nullptr, configure);
    configure(&settings);
}

std::string ModuleText(HMODULE module) {
    char text[24];
    std::snprintf(text, sizeof(text), "%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(module)));
    return text;
}

std::vector<int> DispatcherOpcodes(const std::vector<STestCall>& calls) {
    std::vector<int> opcodes;
    for (const STestCall& call : calls)
        if (call.kind == kTestDispatcher) opcodes.push_back(call.opcode);
    return opcodes;
}

std::vector<std::string> CanDoAsked(const std::vector<STestCall>& calls) {
    std::vector<std::string> texts;
    for (const STestCall& call : calls)
        if (call.kind == kTestDispatcher && call.opcode == effCanDo) texts.push_back(call.text);
    return texts;
}

std::vector<std::string> Notes(const std::vector<STestCall>& calls) {
    std::vector<std::string> notes;
    for (const STestCall& call : calls)
        if (call.kind == kTestNote) notes.push_back(call.text);
    return notes;
}

std::wstring Describe(const CPluginInfo& info) {
    std::wstring text = L"id=" + Hex(info.id) + L" name=" + Quoted(info.name) + L" vendor=" + Quoted(info.vendor) +
                        L" product=" + Quoted(info.product) + L" version=" + Quoted(info.version) +
                        L" error=" + Quoted(info.error) + L" in=" + std::to_wstring(info.numInputs) +
                        L" out=" + std::to_wstring(info.numOutputs) + L" wantsMidi=" +
                        std::to_wstring(info.wantsMidi) + L" sendsMidi=" + std::to_wstring(info.sendsMidi) +
                        L" audio64=" + std::to_wstring(info.audio64) + L" synthEdit=" +
                        std::to_wstring(info.synthEdit) + L" category=" + std::to_wstring(info.category) +
                        L" shells=[";
    for (int32_t i = 0; i < info.shells.GetCount(); ++i) {
        if (i > 0) text += L", ";
        text += Hex(info.shells[i]->id) + L" " + Quoted(info.shells[i]->name);
    }
    return text + L"]";
}
