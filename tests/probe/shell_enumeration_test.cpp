// The shell enumeration when the toolkit's heap runs out: the list ends early,
// the plug-in is never handed a missing buffer, and nothing crashes.
#include "probe/shell_enumeration.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/toolkit/failing_heap.h"

namespace {

// A stand-in shell naming sub-plug-ins 1 to 5 ("Sub 1" ...), then answering 0.
struct SFakeShell {
    AEffect effect;
    int32_t next = 0;
    bool gotNullBuffer = false;

    SFakeShell() {
        std::memset(&effect, 0, sizeof(effect));
        effect.magic = kEffectMagic;
        effect.dispatcher = &Dispatch;
        effect.object = this;
    }

    static VstIntPtr VSTCALLBACK Dispatch(AEffect* effect, int32_t opcode, int32_t /*index*/, VstIntPtr /*value*/,
                                          void* ptr, float /*opt*/) {
        SFakeShell* self = static_cast<SFakeShell*>(effect->object);
        if (opcode != effShellGetNextPlugin || self->next == 5) return 0;
        if (!ptr) {
            self->gotNullBuffer = true;
            return 0;
        }
        ++self->next;
        std::snprintf(static_cast<char*>(ptr), kShellNameBytes, "Sub %d", self->next);
        return self->next;
    }
};

TEST(ShellEnumeration, ExhaustedMemoryEndsTheListEarly) {
    int lastCount = -1;
    bool endedBetween = false;  // some sub-plug-ins listed, not all
    for (int failAfter = 0; failAfter < 80; ++failAfter) {
        SCOPED_TRACE(failAfter);
        SFakeShell shell;
        CHeapSpy spy(failAfter);
        CShellList shells;
        EnumerateShell(&shell.effect, shells);
        EXPECT_FALSE(shell.gotNullBuffer);
        ASSERT_LE(shells.GetCount(), 5);
        for (int32_t i = 0; i < shells.GetCount(); ++i) {
            EXPECT_EQ(i + 1, shells[i]->id);
            // a name that could not be widened is missing, never wrong
            const CWideString& name = shells[i]->name;
            if (!name.IsAbsent()) {
                EXPECT_EQ(L"Sub " + std::to_wstring(i + 1), std::wstring(name.Text()));
            }
        }
        lastCount = shells.GetCount();
        if (lastCount > 0 && lastCount < 5) endedBetween = true;
    }
    EXPECT_TRUE(endedBetween);
    EXPECT_EQ(5, lastCount) << "with enough memory every sub-plug-in is listed";
}

}  // namespace
