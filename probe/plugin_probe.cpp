#include "probe/plugin_probe.h"

#include "crash/crash_dump.h"
#include "probe/guarded_call.h"
#include "probe/host_callback.h"
#include "probe/plugin_strings.h"
#include "probe/shell_enumeration.h"
#include "probe/vendor_version.h"
#include "server/log_channel.h"

namespace {

// The marker resource of SynthEdit-made plug-ins.
const wchar_t kSynthEditResourceType[] = L"SE1";
constexpr WORD kSynthEditResourceId = 165;

VstPluginMainProc LookUpEntryPoint(HMODULE module, const char* name) {
    return reinterpret_cast<VstPluginMainProc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// "VSTPluginMain", else the older "main"; null when the module has neither.
VstPluginMainProc FindEntryPoint(HMODULE module) {
    if (VstPluginMainProc entry = LookUpEntryPoint(module, "VSTPluginMain")) {
        LogInfo(L"Found VSTPluginMain()\n");
        return entry;
    }
    if (VstPluginMainProc entry = LookUpEntryPoint(module, "main")) {
        LogInfo(L"Found main()\n");
        return entry;
    }
    return nullptr;
}

VstIntPtr Dispatch(AEffect* effect, int32_t opcode, void* ptr) {
    return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
}

// Only -1 means no; 0 counts as yes. The second text is asked only after a no.
bool CanDoEither(AEffect* effect, const char* first, const char* second) {
    if (Dispatch(effect, effCanDo, const_cast<char*>(first)) != -1) return true;
    return Dispatch(effect, effCanDo, const_cast<char*>(second)) != -1;
}

// A synth flag overrides whatever category the plug-in answered; a plug-in
// that does not know its category is taken for a synth without inputs and an
// effect with them.
int32_t CorrectCategory(const AEffect* effect, int32_t category) {
    if (effect->flags & effFlagsIsSynth) return kPlugCategSynth;
    if (category == kPlugCategUnknown) return effect->numInputs == 0 ? kPlugCategSynth : kPlugCategEffect;
    return category;
}

void DispatchClose(void* effect) { Dispatch(static_cast<AEffect*>(effect), effClose, nullptr); }

void ExamineEffect(HMODULE module, AEffect* effect, CPluginInfo& info) {
    info.synthEdit = FindResourceW(module, MAKEINTRESOURCEW(kSynthEditResourceId), kSynthEditResourceType) != nullptr;
    info.name = QueryPluginString(effect, effGetEffectName);
    info.vendor = QueryPluginString(effect, effGetVendorString);
    info.product = QueryPluginString(effect, effGetProductString);
    info.id = effect->uniqueID;
    info.category = static_cast<int32_t>(Dispatch(effect, effGetPlugCategory, nullptr));
    info.numInputs = effect->numInputs;
    info.numOutputs = effect->numOutputs;
    info.wantsMidi = CanDoEither(effect, "receiveVstMidiEvent", "receiveVstEvents") || g_wantsMidiRequested;
    info.sendsMidi = CanDoEither(effect, "sendVstMidiEvent", "sendVstEvents");
    info.audio64 = (effect->flags & effFlagsCanDoubleReplacing) != 0;
    info.version = FormatVendorVersion(static_cast<int32_t>(Dispatch(effect, effGetVendorVersion, nullptr)));
    info.category = CorrectCategory(effect, info.category);
}

}  // namespace

bool ProbePlugin(HMODULE module, CPluginInfo& info) {
    LogInfo(L"Looking for entry point in module %p\n", static_cast<const void*>(module));
    // a jBridge bootstrap would start a bridge process rather than a plug-in
    if (GetProcAddress(module, "JBridgeBootstrap")) {
        info.error = CWideString::From(L"Module is a jBridge bootstrap, ignoring");
        return false;
    }
    VstPluginMainProc entry = FindEntryPoint(module);
    if (!entry) {
        info.error = CWideString::From(L"Entry point not found, not a VST plugin");
        return false;
    }

    g_wantsMidiRequested = false;
    InstallCrashDumpFilter();
    LogInfo(L"Calling entry point...\n");
    AEffect* effect = entry(&HostCallback);
    // plug-in code may have put its own unhandled-exception filter in place
    InstallCrashDumpFilter();
    if (!effect) {
        info.error = CWideString::From(L"Entry point returned NULL");
        return false;
    }
    if (effect->magic != kEffectMagic) {
        info.error = CWideString::From(L"Bad magic");
        return false;
    }
    InstallCrashDumpFilter();

    ExamineEffect(module, effect, info);
    if (info.category == kPlugCategShell) EnumerateShell(effect, info.shells);

    // the instance was never opened; a fault while it closes costs nothing of
    // what was found, so it is swallowed and the scan reports as usual
    LogInfo(L"Dispatching effClose...\n");
    CallGuarded(&DispatchClose, effect);
    InstallCrashDumpFilter();
    return true;
}
