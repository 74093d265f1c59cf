#include "probe/guarded_call.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>

namespace {

void Fault(void* /*argument*/) {
    volatile int* volatile target = nullptr;
    *target = 1;
}

void Store(void* argument) { *static_cast<int*>(argument) = 42; }

// Scrambles every callee-saved register the compiler lets it name, then faults
// with them scrambled: the guard must hand its caller the values the caller had.
__attribute__((noinline)) void ScrambleAndFault(void* /*argument*/) {
    int* volatile target = nullptr;
    int* address = target;
#if defined(__x86_64__)
    asm volatile(
        "movq $-1, %%rbx\n\tmovq $-1, %%rsi\n\tmovq $-1, %%rdi\n\tmovq $-1, %%r12\n\t"
        "movq $-1, %%r13\n\tmovq $-1, %%r14\n\tmovq $-1, %%r15\n\tmovl $1, (%%rax)"
        :
        : "a"(address)
        : "rbx", "rsi", "rdi", "r12", "r13", "r14", "r15", "memory");
#else
    asm volatile("movl $-1, %%ebx\n\tmovl $-1, %%esi\n\tmovl $-1, %%edi\n\tmovl $1, (%%eax)"
                 :
                 : "a"(address)
                 : "ebx", "esi", "edi", "memory");
#endif
}

void ThrowAndCatch(void* argument) {
    try {
        throw std::runtime_error("inside the guard");
    } catch (const std::runtime_error&) {
        *static_cast<int*>(argument) = 1;
    }
}

void RaiseNonContinuable(void* /*argument*/) { RaiseException(0xE0484C44, EXCEPTION_NONCONTINUABLE, 0, nullptr); }

void FaultUnderAnInnerGuard(void* argument) {
    const bool innerReturned = CallGuarded(&Fault, nullptr);
    *static_cast<int*>(argument) = innerReturned ? 1 : 2;
}

// A frame with an exception handler of its own between the guard and the
// fault, as a plug-in's __try or C++ frame would have: the handler records
// when the dispatcher asks it to handle the exception and when it is unwound.
// It never handles anything.
std::string g_frameHandlerCalls;

extern "C" EXCEPTION_DISPOSITION __cdecl TestRecordingHandler(EXCEPTION_RECORD* record, void* /*frame*/,
                                                               CONTEXT* /*context*/, void* /*dispatcher*/) {
    g_frameHandlerCalls += (record->ExceptionFlags & EXCEPTION_UNWIND) ? "unwound;" : "asked;";
    return ExceptionContinueSearch;
}

// Calls function(argument) inside such a frame.
extern "C" void __cdecl TestCallWithRecordingFrame(GuardedFunction function, void* argument);

#if defined(__x86_64__)
asm(R"(
    .text
    .globl TestCallWithRecordingFrame
    .def TestCallWithRecordingFrame; .scl 2; .type 32; .endef
    .seh_proc TestCallWithRecordingFrame
TestCallWithRecordingFrame:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler TestRecordingHandler, @except, @unwind
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    nop
    addq $40, %rsp
    ret
    .seh_endproc
)");
#else
asm(R"(
    .text
    .globl _TestCallWithRecordingFrame
    .def _TestCallWithRecordingFrame; .scl 2; .type 32; .endef
_TestCallWithRecordingFrame:
    pushl %ebp
    movl %esp, %ebp
    pushl $_TestRecordingHandler
    pushl %fs:0
    movl %esp, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    addl $4, %esp
    popl %fs:0
    addl $4, %esp
    popl %ebp
    ret
)");
#endif

void FaultInsideARecordingFrame(void* /*argument*/) { TestCallWithRecordingFrame(&Fault, nullptr); }

void StoreInsideARecordingFrame(void* argument) { TestCallWithRecordingFrame(&Store, argument); }

#if defined(__i386__)
// The head of the thread's exception registration chain, fs:[0]. Read here
// rather than through NtCurrentTeb(), whose MinGW inline trips -Warray-bounds.
void* ExceptionChain() {
    void* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}
#endif

TEST(Guard, ANormalReturnIsTrueAndPassesTheArgument) {
    int value = 0;
    EXPECT_TRUE(CallGuarded(&Store, &value));
    EXPECT_EQ(42, value);
}

TEST(Guard, AFaultEndsTheCallNotTheProcess) {
#if defined(__i386__)
    void* const chain = ExceptionChain();
#endif
    // again and again: every swallowed fault leaves the thread as it found it
    for (int i = 0; i < 50; ++i) ASSERT_FALSE(CallGuarded(&Fault, nullptr)) << "fault " << i;
#if defined(__i386__)
    EXPECT_EQ(chain, ExceptionChain());
#endif
    int value = 0;
    EXPECT_TRUE(CallGuarded(&Store, &value));
    EXPECT_EQ(42, value);
}

TEST(Guard, TheCallersRegistersSurviveAFault) {
    // seven values live across the call, none of them with its address taken,
    // so the compiler keeps them in callee-saved registers
    volatile int seeds[7] = {3, 5, 7, 11, 13, 17, 19};
    const int a = seeds[0], b = seeds[1], c = seeds[2], d = seeds[3], e = seeds[4], f = seeds[5], g = seeds[6];
    const bool returned = CallGuarded(&ScrambleAndFault, nullptr);
    const long long combined = a + 10LL * b + 100LL * c + 1000LL * d + 100000LL * e + 10000000LL * f +
                               1000000000LL * g;
    EXPECT_FALSE(returned);
    EXPECT_EQ(19171311753LL, combined);
}

TEST(Guard, AcceptsEveryExceptionCode) { EXPECT_FALSE(CallGuarded(&RaiseNonContinuable, nullptr)); }

TEST(Guard, ExceptionsHandledInsideAreNotFaults) {
    int caught = 0;
    EXPECT_TRUE(CallGuarded(&ThrowAndCatch, &caught));
    EXPECT_EQ(1, caught);

    int inner = 0;
    EXPECT_TRUE(CallGuarded(&FaultUnderAnInnerGuard, &inner));
    EXPECT_EQ(2, inner) << "the guard nearest the fault takes it";
}

TEST(Guard, HandlersNearerTheFaultAreAskedFirstThenUnwound) {
    g_frameHandlerCalls.clear();
    EXPECT_FALSE(CallGuarded(&FaultInsideARecordingFrame, nullptr));
    EXPECT_EQ("asked;unwound;", g_frameHandlerCalls);

    g_frameHandlerCalls.clear();
    int value = 0;
    EXPECT_TRUE(CallGuarded(&StoreInsideARecordingFrame, &value));
    EXPECT_EQ(42, value);
    EXPECT_EQ("", g_frameHandlerCalls);
}

TEST(Guard, CxxExceptionsStillWorkAfterAFault) {
    ASSERT_FALSE(CallGuarded(&Fault, nullptr));
    bool caught = false;
    try {
        throw std::logic_error("after the fault");
    } catch (const std::logic_error&) {
        caught = true;
    }
    EXPECT_TRUE(caught);
}

}  // namespace
