// The probe against real plug-in DLLs (tests/plugins), loaded into the test
// process: the record it fills, the lines it logs, and the calls the plug-in saw.
#include "probe/plugin_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "crash/crash_dump.h"
#include "probe/host_callback.h"
#include "tests/probe/callback_state_fixture.h"
#include "tests/probe/bulk_capture.h"
#include "tests/probe/loaded_plugin.h"
#include "tests/support/pipe_capture.h"

namespace {

struct SProbeRun {
    bool returned;
    std::string log;
    std::vector<STestCall> calls;
};

SProbeRun Probe(const CLoadedPlugin& plugin, CPluginInfo& info) {
    CPipeCapture pipe;
    const bool returned = ProbePlugin(plugin.Module(), info);
    std::string log = pipe.Take();
    return {returned, log, plugin.Calls()};
}

// The lines up to the entry-point call.
std::string Opening(const CLoadedPlugin& plugin, const char* found = "Found VSTPluginMain()") {
    return "info:Looking for entry point in module " + ModuleText(plugin.Module()) + "\ninfo:" + found +
           "\ninfo:Calling entry point...\n";
}

const std::string kClosing = "info:Dispatching effClose...\n";

// What a plug-in that is not a shell and says no to every MIDI capability is asked.
const std::vector<int> kQueries = {effGetEffectName, effGetVendorString, effGetProductString, effGetPlugCategory,
                                   effCanDo, effCanDo, effCanDo, effCanDo, effGetVendorVersion, effClose};
const std::vector<std::string> kAllFourCanDo = {"receiveVstMidiEvent", "receiveVstEvents", "sendVstMidiEvent",
                                                "sendVstEvents"};

// Every dispatcher call passes index 0, value 0 and opt 0; string queries and
// shell queries get a buffer whose first byte is NUL, the others no buffer.
void ExpectPlainArguments(const std::vector<STestCall>& calls) {
    for (const STestCall& call : calls) {
        if (call.kind != kTestDispatcher) continue;
        SCOPED_TRACE(call.opcode);
        EXPECT_EQ(0, call.index);
        EXPECT_EQ(0, call.value);
        EXPECT_EQ(0.0f, call.opt);
        switch (call.opcode) {
            case effGetEffectName:
            case effGetVendorString:
            case effGetProductString:
            case effShellGetNextPlugin:
                EXPECT_EQ(0, call.firstByte);
                break;
            case effCanDo:
                EXPECT_FALSE(call.dataIsNull);
                break;
            default:
                EXPECT_TRUE(call.dataIsNull);
        }
    }
}

// The plug-in's record of the effClose call (the last dispatcher call).
STestCall CloseCall(const std::vector<STestCall>& calls) {
    for (auto call = calls.rbegin(); call != calls.rend(); ++call)
        if (call->kind == kTestDispatcher) {
            EXPECT_EQ(effClose, call->opcode);
            return *call;
        }
    ADD_FAILURE() << "no dispatcher call";
    return STestCall();
}

STestPluginSettings DefaultSettings() { return {0, 2, 2, 1, {-1, -1, -1, -1}, 0, 0, 0}; }

LONG WINAPI SomeOtherFilter(EXCEPTION_POINTERS* /*exception*/) { return EXCEPTION_CONTINUE_SEARCH; }

LPTOP_LEVEL_EXCEPTION_FILTER CurrentFilter() {
    LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(current);
    return current;
}

class ProbeTest : public CCallbackStateTest {};

TEST_F(ProbeTest, APlainEffect) {
    CLoadedPlugin plugin(L"plain_effect");
    CPluginInfo info;
    // every field the probe writes is replaced, the version even by the empty text
    info.name = CWideString::From(L"stale");
    info.version = CWideString::From(L"9.9.9.9");
    const SProbeRun run = Probe(plugin, info);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(L"id=506C4566 name=\"plain_effect\" vendor=\"Heliodrum Test Plug-ins\" product=\"Plain Product\" "
              L"version=\"\" error=(absent) in=2 out=2 wantsMidi=0 sendsMidi=0 audio64=1 synthEdit=0 category=1 "
              L"shells=[]",
              Describe(info));
    EXPECT_EQ(Opening(plugin) + kClosing, run.log);
    ASSERT_FALSE(run.calls.empty());
    EXPECT_EQ(kTestEntryPoint, run.calls[0].kind);
    EXPECT_EQ(kQueries, DispatcherOpcodes(run.calls));
    EXPECT_EQ(kAllFourCanDo, CanDoAsked(run.calls));
    ExpectPlainArguments(run.calls);
    EXPECT_EQ(1, CloseCall(run.calls).returned);
}

TEST_F(ProbeTest, AModuleExportingOnlyMain) {
    CLoadedPlugin plugin(L"main_only");
    CPluginInfo info;
    const SProbeRun run = Probe(plugin, info);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(Opening(plugin, "Found main()") + kClosing, run.log);
    EXPECT_EQ(L"id=506C4566 name=\"main_only\" vendor=\"Heliodrum Test Plug-ins\" product=\"Plain Product\" "
              L"version=\"\" error=(absent) in=2 out=2 wantsMidi=0 sendsMidi=0 audio64=1 synthEdit=0 category=1 "
              L"shells=[]",
              Describe(info));
    EXPECT_EQ(kQueries, DispatcherOpcodes(run.calls));
}

TEST_F(ProbeTest, RefusedModules) {
    struct {
        const wchar_t* plugin;
        const wchar_t* error;
        bool entryCalled;
    } const cases[] = {
        {L"jbridge_bootstrap", L"Module is a jBridge bootstrap, ignoring", false},
        {L"no_entry_point", L"Entry point not found, not a VST plugin", false},
        {L"entry_returns_null", L"Entry point returned NULL", true},
        {L"bad_magic", L"Bad magic", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.plugin));
        CLoadedPlugin plugin(c.plugin);
        CPluginInfo info;
        // a MIDI request of an earlier plug-in is forgotten only once an entry point is called
        g_wantsMidiRequested = true;
        const SProbeRun run = Probe(plugin, info);
        EXPECT_FALSE(run.returned);
        CPluginInfo untouched;
        untouched.error = CWideString::From(c.error);
        EXPECT_EQ(Describe(untouched), Describe(info));
        const std::string looking = "info:Looking for entry point in module " + ModuleText(plugin.Module()) + "\n";
        EXPECT_EQ(c.entryCalled ? Opening(plugin) : looking, run.log);
        // the entry point at most, and no dispatcher call at all
        ASSERT_EQ(c.entryCalled ? 1u : 0u, run.calls.size());
        if (c.entryCalled) {
            EXPECT_EQ(kTestEntryPoint, run.calls[0].kind);
        }
        EXPECT_EQ(!c.entryCalled, g_wantsMidiRequested);
    }
}

TEST_F(ProbeTest, TheSynthEditMarker) {
    CLoadedPlugin plugin(L"synthedit_marker");
    CPluginInfo info;
    EXPECT_TRUE(Probe(plugin, info).returned);
    EXPECT_EQ(L"id=506C4566 name=\"synthedit_marker\" vendor=\"Heliodrum Test Plug-ins\" product=\"Plain Product\" "
              L"version=\"\" error=(absent) in=2 out=2 wantsMidi=0 sendsMidi=0 audio64=1 synthEdit=1 category=1 "
              L"shells=[]",
              Describe(info));
}

TEST_F(ProbeTest, TheSynthFlagOverridesAShellCategory) {
    CLoadedPlugin plugin(L"synth_shell_category");
    CPluginInfo info;
    const SProbeRun run = Probe(plugin, info);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(L"id=53796E74 name=\"Synth Claiming Shell\" vendor=\"Heliodrum Test Plug-ins\" "
              L"product=\"Synth Product\" version=\"\" error=(absent) in=0 out=2 wantsMidi=1 sendsMidi=0 audio64=0 "
              L"synthEdit=0 category=2 shells=[]",
              Describe(info));
    EXPECT_EQ(Opening(plugin) + kClosing, run.log);
    const std::vector<int> queries = {effGetEffectName, effGetVendorString, effGetProductString, effGetPlugCategory,
                                      effCanDo, effCanDo, effCanDo, effGetVendorVersion, effClose};
    EXPECT_EQ(queries, DispatcherOpcodes(run.calls)) << "never asked for sub-plug-ins";
    EXPECT_EQ((std::vector<std::string>{"receiveVstMidiEvent", "sendVstMidiEvent", "sendVstEvents"}),
              CanDoAsked(run.calls));
}

TEST_F(ProbeTest, AShellListsEachIdOnceInTheOrderFirstNamed) {
    CLoadedPlugin plugin(L"shell_duplicates");
    CPluginInfo info;
    const SProbeRun run = Probe(plugin, info);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(L"id=5368446C name=\"Shell With Duplicates\" vendor=\"Heliodrum Test Plug-ins\" "
              L"product=\"Shell Product\" version=\"\" error=(absent) in=2 out=2 wantsMidi=0 sendsMidi=0 audio64=0 "
              L"synthEdit=0 category=10 shells=[00000011 \"Caf\u00E9 \u00FF\", 00000022 \"Two\nLines\", "
              L"00000033 \"\", 80000000 \"Top Bit\"]",
              Describe(info));
    EXPECT_EQ(Opening(plugin) +
                  "info:Found shell: 00000011 - Caf\xC3\xA9 \xC3\xBF\n"
                  "info:Found shell: 00000022 - Two\\nLines\n"
                  "info:Found shell: 00000011 - Dropped Name\n"
                  "info:   - duplicate, ignoring\n"
                  "info:Found shell: 00000033 - \n"
                  "info:Found shell: 80000000 - Top Bit\n" +
                  kClosing,
              run.log);
    std::vector<int> queries(kQueries.begin(), kQueries.end() - 1);
    queries.insert(queries.end(), 6, effShellGetNextPlugin);
    queries.push_back(effClose);
    EXPECT_EQ(queries, DispatcherOpcodes(run.calls));
    // each name buffer starts cleared, so 0x33, which writes no name, has none
    ExpectPlainArguments(run.calls);
}

TEST_F(ProbeTest, AShellWhoseFirstAnswerIsZero) {
    CLoadedPlugin plugin(L"shell_empty");
    CPluginInfo info;
    const SProbeRun run = Probe(plugin, info);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(10, info.category);
    EXPECT_EQ(0, info.shells.GetCount());
    EXPECT_EQ(Opening(plugin) + kClosing, run.log);
    std::vector<int> queries(kQueries.begin(), kQueries.end() - 1);
    queries.push_back(effShellGetNextPlugin);
    queries.push_back(effClose);
    EXPECT_EQ(queries, DispatcherOpcodes(run.calls));
}

TEST_F(ProbeTest, AShellThatNeverAnswersZeroIsCutOff) {
    CLoadedPlugin plugin(L"shell_endless");
    CPluginInfo info;
    CBulkCapture pipe;
    EXPECT_TRUE(ProbePlugin(plugin.Module(), info));
    const std::string log = pipe.Finish();
    EXPECT_EQ(10, info.category);
    ASSERT_EQ(65536, info.shells.GetCount());
    for (int32_t i = 0; i < 65536; ++i) {
        ASSERT_EQ(i + 1, info.shells[i]->id);
        ASSERT_EQ(0, info.shells[i]->name.GetLength());
    }
    // the entry point, nine queries, 65536 shell queries and effClose
    EXPECT_EQ(1 + 9 + 65536 + 1, plugin.CallCount());
    const std::string tail = "info:Found shell: 00010000 - \n"
                             "info:Shell enumeration stopped after 65536 answers\n" +
                             kClosing;
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(tail, log.substr(log.size() - tail.size()));
    size_t found = 0;
    for (size_t at = log.find("Found shell"); at != std::string::npos; at = log.find("Found shell", at + 1)) ++found;
    EXPECT_EQ(65536u, found);
}

TEST_F(ProbeTest, AFaultInsideCloseIsSwallowed) {
    CLoadedPlugin plugin(L"close_faults");
    CPluginInfo info;
    SetUnhandledExceptionFilter(&SomeOtherFilter);
    const SProbeRun run = Probe(plugin, info);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(L"id=436C4676 name=\"Faults In Close\" vendor=\"Heliodrum Test Plug-ins\" product=\"Close Product\" "
              L"version=\"1.2.3.4\" error=(absent) in=1 out=1 wantsMidi=0 sendsMidi=0 audio64=0 synthEdit=0 "
              L"category=1 shells=[]",
              Describe(info));
    EXPECT_EQ(Opening(plugin) + kClosing, run.log) << "nothing logged after the fault";
    EXPECT_EQ(kQueries, DispatcherOpcodes(run.calls));
    EXPECT_EQ(0, CloseCall(run.calls).returned) << "effClose really faulted";
    EXPECT_EQ(&CrashDumpFilter, CurrentFilter());

    // the probe of the next plug-in runs as usual
    CLoadedPlugin next(L"plain_effect");
    CPluginInfo nextInfo;
    EXPECT_TRUE(Probe(next, nextInfo).returned);
    EXPECT_EQ(L"plain_effect", std::wstring(nextInfo.name.Text()));
}

TEST_F(ProbeTest, ExceptionsAPluginHandlesInsideCloseAreNotFaults) {
    struct {
        const wchar_t* plugin;
        std::vector<std::string> notes;
    } const cases[] = {
        {L"close_catches_exception", {"thrown inside effClose", "went on after the catch"}},
        {L"close_handles_fault", {"handled its own fault", "went on after the fault"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.plugin));
        CLoadedPlugin plugin(c.plugin);
        CPluginInfo info;
        const SProbeRun run = Probe(plugin, info);
        EXPECT_TRUE(run.returned);
        EXPECT_EQ(Opening(plugin) + kClosing, run.log);
        EXPECT_EQ(c.notes, Notes(run.calls));
        EXPECT_EQ(kQueries, DispatcherOpcodes(run.calls));
        EXPECT_EQ(1, CloseCall(run.calls).returned) << "effClose came back by itself";
    }
}

TEST_F(ProbeTest, CallsFromTheEntryPointReachTheHost) {
    CLoadedPlugin plugin(L"entry_calls_host");
    CPluginInfo info;
    // as the request handler publishes it around the probe
    g_currentShellId = 0x2A;
    const SProbeRun run = Probe(plugin, info);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(Opening(plugin) +
                  "info:Audio master callback: 6 - audioMasterWantMidi\n"
                  "info:Audio master callback: 2 - audioMasterCurrentId\n"
                  "info:Query host can do: 'ShellCategory'\n"
                  "info:Query host can do: 'openFileSelector'\n"
                  "info:Query host can do: '(null)'\n"
                  "info:Audio master callback: 1 - audioMasterVersion\n"
                  "info:Audio master callback: 32 - audioMasterGetVendorString\n"
                  "info:Audio master callback: 33 - audioMasterGetProductString\n"
                  "info:Audio master callback: 32 - audioMasterGetVendorString\n"
                  "info:Audio master callback: 38 - audioMasterGetLanguage\n"
                  "warn:Unhandled audioMaster opCode - 38\n" +
                  kClosing,
              run.log);
    struct SAnswer {
        int opcode;
        long long answer;
        std::string text;
    };
    std::vector<SAnswer> answers;
    for (const STestCall& call : run.calls)
        if (call.kind == kTestHostCall) answers.push_back({call.opcode, call.answer, call.text});
    const std::vector<SAnswer> expected = {
        {audioMasterWantMidi, 0, ""},
        {audioMasterCurrentId, 42, ""},
        {audioMasterCanDo, 1, "ShellCategory"},
        {audioMasterCanDo, 0, "openFileSelector"},
        {audioMasterCanDo, 0, ""},
        {audioMasterVersion, 2400, ""},
        {audioMasterGetVendorString, 1, "Dravenholtworks"},
        {audioMasterGetProductString, 1, "Heliodrum"},
        {audioMasterGetVendorString, 0, ""},
        {audioMasterGetLanguage, 0, ""},
    };
    ASSERT_EQ(expected.size(), answers.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].opcode);
        EXPECT_EQ(expected[i].answer, answers[i].answer);
        EXPECT_EQ(expected[i].text, answers[i].text);
    }
    // it said no to every capability, so only its request makes it take MIDI
    EXPECT_EQ(L"id=43616C6C name=\"Calls Host\" vendor=\"Heliodrum Test Plug-ins\" product=\"\" version=\"\" "
              L"error=(absent) in=0 out=2 wantsMidi=1 sendsMidi=0 audio64=0 synthEdit=0 category=2 shells=[]",
              Describe(info));
    EXPECT_EQ(kAllFourCanDo, CanDoAsked(run.calls));
}

TEST_F(ProbeTest, ANameFillingTheWholeBufferIsCutThere) {
    CLoadedPlugin plugin(L"name_fills_buffer");
    CPluginInfo info;
    EXPECT_TRUE(Probe(plugin, info).returned);
    std::wstring expected;
    for (int i = 0; i < 512; ++i) expected += static_cast<wchar_t>(L'A' + i % 26);
    ASSERT_EQ(512, info.name.GetLength());
    EXPECT_EQ(expected, std::wstring(info.name.Text()));
    EXPECT_EQ(L"Heliodrum Test Plug-ins", std::wstring(info.vendor.Text()));
    EXPECT_EQ(L"Full Buffer Product", std::wstring(info.product.Text()));
}

TEST_F(ProbeTest, MidiAbilities) {
    struct {
        int32_t canDo[4];  // receiveVstMidiEvent, receiveVstEvents, sendVstMidiEvent, sendVstEvents
        bool requestsMidi;
        bool requestedEarlier;  // an earlier plug-in's request still standing
        bool wantsMidi, sendsMidi;
        std::vector<std::string> asked;
    } const cases[] = {
        {{0, 0, 0, 0}, false, false, true, true, {"receiveVstMidiEvent", "sendVstMidiEvent"}},
        {{1, 1, 1, 1}, false, false, true, true, {"receiveVstMidiEvent", "sendVstMidiEvent"}},
        {{-1, -1, -1, -1}, false, false, false, false, kAllFourCanDo},
        {{-1, -1, -1, -1}, true, false, true, false, kAllFourCanDo},
        {{-1, -1, -1, -1}, false, true, false, false, kAllFourCanDo},
        {{-1, 5, -1, 0}, false, false, true, true, kAllFourCanDo},
        {{1, -1, -1, -1}, true, false, true, false, {"receiveVstMidiEvent", "sendVstMidiEvent", "sendVstEvents"}},
        {{-2, -1, -1, 1}, false, false, true, true, {"receiveVstMidiEvent", "sendVstMidiEvent", "sendVstEvents"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.canDo[0] << " " << c.canDo[1] << " " << c.canDo[2] << " " << c.canDo[3]
                                        << " request " << c.requestsMidi << " earlier " << c.requestedEarlier);
        CLoadedPlugin plugin(L"configurable");
        STestPluginSettings settings = DefaultSettings();
        for (int i = 0; i < 4; ++i) settings.canDo[i] = c.canDo[i];
        settings.requestsMidi = c.requestsMidi;
        plugin.Configure(settings);
        g_wantsMidiRequested = c.requestedEarlier;
        CPluginInfo info;
        const SProbeRun run = Probe(plugin, info);
        EXPECT_TRUE(run.returned);
        EXPECT_EQ(c.wantsMidi, info.wantsMidi);
        EXPECT_EQ(c.sendsMidi, info.sendsMidi);
        EXPECT_EQ(c.asked, CanDoAsked(run.calls));
    }
}

TEST_F(ProbeTest, CategoryCorrections) {
    struct {
        int32_t flags, numInputs, answer;
        int32_t category;
        bool enumerated;
    } const cases[] = {
        {0, 0, 0, 2, false},
        {0, 2, 0, 1, false},
        {0, 2, 5, 5, false},
        {0, 0, 1, 1, false},
        {0, 2, 2, 2, false},
        {0, 2, -3, -3, false},
        {0, 2, 11, 11, false},
        {0, 0, 10, 10, true},
        {effFlagsIsSynth, 2, 1, 2, false},
        {effFlagsIsSynth, 0, 0, 2, false},
        {effFlagsIsSynth, 0, 10, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " inputs " << c.numInputs << " answer " << c.answer);
        CLoadedPlugin plugin(L"configurable");
        STestPluginSettings settings = DefaultSettings();
        settings.flags = c.flags;
        settings.numInputs = c.numInputs;
        settings.category = c.answer;
        plugin.Configure(settings);
        CPluginInfo info;
        const SProbeRun run = Probe(plugin, info);
        EXPECT_TRUE(run.returned);
        EXPECT_EQ(c.category, info.category);
        EXPECT_EQ(c.numInputs, info.numInputs);
        const std::vector<int> opcodes = DispatcherOpcodes(run.calls);
        EXPECT_EQ(c.enumerated ? 1 : 0, std::count(opcodes.begin(), opcodes.end(), effShellGetNextPlugin));
    }
}

TEST_F(ProbeTest, FlagsChannelsAndVersionComeFromThePlugin) {
    struct {
        int32_t flags, numInputs, numOutputs, vendorVersion;
        bool audio64;
        const wchar_t* version;
    } const cases[] = {
        {effFlagsCanDoubleReplacing, 2, 2, 0, true, L""},
        {0, 1, 6, 1234, false, L"1.2.3.4"},
        {effFlagsCanDoubleReplacing | effFlagsIsSynth, 0, 16, 0x10203, true, L"1.2.3.0"},
        {~effFlagsCanDoubleReplacing, 0, 0, 10203004, false, L"1.2.3.4"},
        {0, -1, 3, -1, false, L"-1.0.0.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vendorVersion);
        CLoadedPlugin plugin(L"configurable");
        STestPluginSettings settings = DefaultSettings();
        settings.flags = c.flags;
        settings.numInputs = c.numInputs;
        settings.numOutputs = c.numOutputs;
        settings.vendorVersion = c.vendorVersion;
        plugin.Configure(settings);
        CPluginInfo info;
        EXPECT_TRUE(Probe(plugin, info).returned);
        EXPECT_EQ(c.audio64, info.audio64);
        EXPECT_EQ(c.numInputs, info.numInputs);
        EXPECT_EQ(c.numOutputs, info.numOutputs);
        EXPECT_EQ(c.version, std::wstring(info.version.Text()));
        EXPECT_EQ(0x436F6E66, info.id);
    }
}

TEST_F(ProbeTest, TheCrashDumpFilterIsBackAfterPluginCode) {
    CLoadedPlugin plugin(L"configurable");
    STestPluginSettings settings = DefaultSettings();
    settings.replacesFilter = 1;
    plugin.Configure(settings);
    SetUnhandledExceptionFilter(&SomeOtherFilter);
    CPluginInfo info;
    EXPECT_TRUE(Probe(plugin, info).returned);
    EXPECT_EQ(&CrashDumpFilter, CurrentFilter());
}

// The plug-ins the end-to-end tests scan through the server; their contract is
// tests/plugins/README.md.
TEST_F(ProbeTest, TheEndToEndShellTellsWhichIdReachedIt) {
    CLoadedPlugin plugin(L"shell");
    CPluginInfo shellInfo;
    EXPECT_TRUE(Probe(plugin, shellInfo).returned);
    EXPECT_EQ(L"id=5368656C name=\"Shell 00000000\" vendor=\"Heliodrum Test Plug-ins\" product=\"Shell Product\" "
              L"version=\"\" error=(absent) in=2 out=2 wantsMidi=0 sendsMidi=0 audio64=0 synthEdit=0 category=10 "
              L"shells=[00000011 \"Shell Alpha\", 00000022 \"Shell Beta\", 0000002A \"Shell Gamma\"]",
              Describe(shellInfo));

    // the same module again, asked for one of its sub-plug-ins
    g_currentShellId = 0x2A;
    CPluginInfo subInfo;
    const SProbeRun run = Probe(plugin, subInfo);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(L"id=0000002A name=\"Shell 0000002A\" vendor=\"Heliodrum Test Plug-ins\" product=\"Shell Product\" "
              L"version=\"\" error=(absent) in=2 out=2 wantsMidi=0 sendsMidi=0 audio64=0 synthEdit=0 category=1 "
              L"shells=[]",
              Describe(subInfo));
}

TEST_F(ProbeTest, TheEndToEndVersionPluginsGiveNoVersionOfTheirOwn) {
    struct {
        const wchar_t* plugin;
        const wchar_t* version;  // what the probe reports
        // the fixed version words of the file: product MS/LS, file MS/LS; none: no resource
        bool hasResource;
        DWORD productMS, productLS, fileMS, fileLS;
    } const cases[] = {
        {L"version_product_1_2_3_4", L"", true, 0x00010002, 0x00030004, 0x00090008, 0x00070006},
        {L"version_file_2_0_0_7", L"", true, 0, 0, 0x00020000, 0x00000007},
        {L"version_zero", L"", true, 0, 0, 0, 0},
        {L"version_none", L"", false, 0, 0, 0, 0},
        {L"vendor_version_wins", L"1.2.3.4", true, 0x00050006, 0x00070008, 0x00050006, 0x00070008},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.plugin));
        CLoadedPlugin plugin(c.plugin);
        CPluginInfo info;
        EXPECT_TRUE(Probe(plugin, info).returned);
        EXPECT_EQ(c.version, std::wstring(info.version.Text()));

        const std::wstring path = std::wstring(L"plugins\\") + c.plugin + L".dll";
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        EXPECT_EQ(c.hasResource, size != 0);
        if (!size) continue;
        std::vector<char> data(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(c.productMS, fixed->dwProductVersionMS);
        EXPECT_EQ(c.productLS, fixed->dwProductVersionLS);
        EXPECT_EQ(c.fileMS, fixed->dwFileVersionMS);
        EXPECT_EQ(c.fileLS, fixed->dwFileVersionLS);
    }
}

}  // namespace
