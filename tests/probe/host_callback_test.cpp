#include "probe/host_callback.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <thread>

#include "tests/probe/callback_state_fixture.h"
#include "tests/support/pipe_capture.h"

namespace {

struct SCallbackRun {
    VstIntPtr answer;
    std::string log;
};

SCallbackRun CallHost(int32_t opcode, void* ptr = nullptr) {
    CPipeCapture pipe;
    const VstIntPtr answer = HostCallback(nullptr, opcode, 0, 0, ptr, 0.0f);
    return {answer, pipe.Take()};
}

std::string GeneralLine(int32_t opcode, const std::string& name) {
    return "info:Audio master callback: " + std::to_string(opcode) + " - " + name + "\n";
}

std::string Narrow(const CWideString& text) {
    std::string bytes;
    for (int32_t i = 0; i < text.GetLength(); ++i) bytes += static_cast<char>(text.Text()[i]);
    return bytes;
}

class HostCallbackTest : public CCallbackStateTest {};

TEST_F(HostCallbackTest, FixedAnswers) {
    struct {
        int32_t opcode;
        VstIntPtr answer;
        const char* name;
    } const cases[] = {
        {0, 0, "audioMasterAutomate"},
        {1, 2400, "audioMasterVersion"},
        {14, 1, "audioMasterNeedIdle"},
        {16, 44100, "audioMasterGetSampleRate"},
        {17, 512, "audioMasterGetBlockSize"},
        {23, 4, "audioMasterGetCurrentProcessLevel"},
        {34, 3, "audioMasterGetVendorVersion"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SCallbackRun run = CallHost(c.opcode);
        EXPECT_EQ(c.answer, run.answer);
        EXPECT_EQ(GeneralLine(c.opcode, c.name), run.log);
    }
    EXPECT_FALSE(g_wantsMidiRequested);
}

TEST_F(HostCallbackTest, UnhandledOpcodesWarnAndAnswerZero) {
    struct {
        int32_t opcode;
        const char* name;
    } const cases[] = {
        {3, "audioMasterIdle"},
        {5, "<unknown>"},
        {13, "audioMasterIOChanged"},
        {38, "audioMasterGetLanguage"},
        {49, "audioMasterGetInputSpeakerArrangement"},
        {50, "<unknown>"},
        {-1, "<unknown>"},
        {INT_MIN, "<unknown>"},
        {INT_MAX, "<unknown>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opcode);
        const SCallbackRun run = CallHost(c.opcode);
        EXPECT_EQ(0, run.answer);
        EXPECT_EQ(GeneralLine(c.opcode, c.name) + "warn:Unhandled audioMaster opCode - " +
                      std::to_string(c.opcode) + "\n",
                  run.log);
    }
}

TEST_F(HostCallbackTest, CurrentIdFollowsTheRequestedShell) {
    for (int32_t id : {0x2A, 0, -7, INT_MIN}) {
        g_currentShellId = id;
        const SCallbackRun run = CallHost(audioMasterCurrentId);
        EXPECT_EQ(id, run.answer);
        EXPECT_EQ(GeneralLine(2, "audioMasterCurrentId"), run.log);
    }
}

TEST_F(HostCallbackTest, WantMidiIsNotedAndAnsweredZero) {
    const SCallbackRun run = CallHost(audioMasterWantMidi);
    EXPECT_EQ(0, run.answer);
    EXPECT_TRUE(g_wantsMidiRequested);
    EXPECT_EQ(GeneralLine(6, "audioMasterWantMidi"), run.log);
}

TEST_F(HostCallbackTest, VendorAndProductAreWrittenWithTheirNulOnly) {
    struct {
        int32_t opcode;
        const char* name;
        const char* text;
    } const cases[] = {
        {audioMasterGetVendorString, "audioMasterGetVendorString", "Dravenholtworks"},
        {audioMasterGetProductString, "audioMasterGetProductString", "Heliodrum"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[256];
        std::memset(buffer, 0xAB, sizeof(buffer));
        const SCallbackRun run = CallHost(c.opcode, buffer);
        EXPECT_EQ(1, run.answer);
        EXPECT_EQ(GeneralLine(c.opcode, c.name), run.log);
        const size_t written = std::strlen(c.text) + 1;
        EXPECT_EQ(0, std::memcmp(buffer, c.text, written));
        for (size_t i = written; i < sizeof(buffer); ++i) ASSERT_EQ('\xAB', buffer[i]) << "byte " << i;
    }
}

TEST_F(HostCallbackTest, NullBuffersGetNothingAndTheAnswerZero) {
    EXPECT_EQ(0, CallHost(audioMasterGetVendorString).answer);
    EXPECT_EQ(0, CallHost(audioMasterGetProductString).answer);
    const SCallbackRun canDo = CallHost(audioMasterCanDo);
    EXPECT_EQ(0, canDo.answer);
    EXPECT_EQ("info:Query host can do: '(null)'\n", canDo.log);
}

TEST_F(HostCallbackTest, CanDoListMatchesInAnyLetterCase) {
    const char* const list[] = {"sizeWindow",          "sendVstEvents",    "sendVstMidiEvent",
                                "sendVstTimeInfo",     "supplyIdle",       "receiveVstEvents",
                                "receiveVstMidiEvent", "startStopProcess", "sendVstMidiEventFlagIsRealtime",
                                "shellCategory"};
    for (const char* entry : list) {
        std::string asIs = entry, upper = entry, lower = entry, alternating = entry;
        for (size_t i = 0; i < asIs.size(); ++i) {
            upper[i] = static_cast<char>(toupper(upper[i]));
            lower[i] = static_cast<char>(tolower(lower[i]));
            alternating[i] = static_cast<char>(i % 2 ? toupper(alternating[i]) : tolower(alternating[i]));
        }
        std::string variants[] = {asIs, upper, lower, alternating};
        for (std::string& text : variants) {
            SCOPED_TRACE(text);
            const SCallbackRun run = CallHost(audioMasterCanDo, &text[0]);
            EXPECT_EQ(1, run.answer);
            EXPECT_EQ("info:Query host can do: '" + text + "'\n", run.log);
        }
    }
}

TEST_F(HostCallbackTest, CanDoAnswersNoToAnythingElse) {
    const char* const texts[] = {"openFileSelector", "", "shellCategor", "shellCategoryX", " sizeWindow",
                                 "sizeWindow ", "receiveVstMidiEvents", "sizeW\xC9ndow"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        std::string copy = text;
        const SCallbackRun run = CallHost(audioMasterCanDo, &copy[0]);
        EXPECT_EQ(0, run.answer);
        EXPECT_EQ(0u, run.log.find("info:Query host can do: '"));
        EXPECT_EQ(std::string::npos, run.log.find("Audio master callback"));
    }
}

TEST_F(HostCallbackTest, CanDoTextIsLoggedByteForByte) {
    char text[] = "Caf\xE9\xFF";
    const SCallbackRun run = CallHost(audioMasterCanDo, text);
    EXPECT_EQ(0, run.answer);
    EXPECT_EQ("info:Query host can do: 'Caf\xC3\xA9\xC3\xBF'\n", run.log);
}

TEST_F(HostCallbackTest, AnswersOnAnyThread) {
    CPipeCapture pipe;
    VstIntPtr answer = 0;
    std::thread other([&answer] { answer = HostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f); });
    other.join();
    EXPECT_EQ(2400, answer);
    EXPECT_EQ(GeneralLine(1, "audioMasterVersion"), pipe.Take());
}

TEST(OpcodeNames, EveryOpcodeFromZeroToFortyNineButFive) {
    const char* const names[] = {
        "audioMasterAutomate", "audioMasterVersion", "audioMasterCurrentId", "audioMasterIdle",
        "audioMasterPinConnected", nullptr, "audioMasterWantMidi", "audioMasterGetTime",
        "audioMasterProcessEvents", "audioMasterSetTime", "audioMasterTempoAt",
        "audioMasterGetNumAutomatableParameters", "audioMasterGetParameterQuantization", "audioMasterIOChanged",
        "audioMasterNeedIdle", "audioMasterSizeWindow", "audioMasterGetSampleRate", "audioMasterGetBlockSize",
        "audioMasterGetInputLatency", "audioMasterGetOutputLatency", "audioMasterGetPreviousPlug",
        "audioMasterGetNextPlug", "audioMasterWillReplaceOrAccumulate", "audioMasterGetCurrentProcessLevel",
        "audioMasterGetAutomationState", "audioMasterOfflineStart", "audioMasterOfflineRead",
        "audioMasterOfflineWrite", "audioMasterOfflineGetCurrentPass", "audioMasterOfflineGetCurrentMetaPass",
        "audioMasterSetOutputSampleRate", "audioMasterGetOutputSpeakerArrangement", "audioMasterGetVendorString",
        "audioMasterGetProductString", "audioMasterGetVendorVersion", "audioMasterVendorSpecific",
        "audioMasterSetIcon", "audioMasterCanDo", "audioMasterGetLanguage", "audioMasterOpenWindow",
        "audioMasterCloseWindow", "audioMasterGetDirectory", "audioMasterUpdateDisplay", "audioMasterBeginEdit",
        "audioMasterEndEdit", "audioMasterOpenFileSelector", "audioMasterCloseFileSelector",
        "audioMasterEditFile", "audioMasterGetChunkFile", "audioMasterGetInputSpeakerArrangement"};
    static_assert(sizeof(names) / sizeof(names[0]) == 50, "opcodes 0 to 49");
    for (int32_t opcode = 0; opcode < 50; ++opcode) {
        SCOPED_TRACE(opcode);
        const CWideString name = GetOpcodeName(opcode);
        EXPECT_EQ(names[opcode] ? names[opcode] : "<unknown>", Narrow(name));
    }
    for (int32_t opcode : {5, -1, 50, 51, INT_MIN, INT_MAX}) EXPECT_EQ("<unknown>", Narrow(GetOpcodeName(opcode)));
}

}  // namespace
