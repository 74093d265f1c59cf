#include "probe/guarded_call.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

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
    // values the caller keeps in callee-saved registers across the call
    volatile int seed = 3;
    const int a = seed * 3, b = seed * 5, c = seed * 7, d = seed * 11, e = seed * 13, f = seed * 17,
              g = seed * 19;
    EXPECT_FALSE(CallGuarded(&ScrambleAndFault, nullptr));
    EXPECT_EQ(9, a);
    EXPECT_EQ(15, b);
    EXPECT_EQ(21, c);
    EXPECT_EQ(33, d);
    EXPECT_EQ(39, e);
    EXPECT_EQ(51, f);
    EXPECT_EQ(57, g);
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
