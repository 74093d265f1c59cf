#include "probe/guarded_call.h"

#include <windows.h>

#if defined(_MSC_VER)

bool CallGuarded(GuardedFunction function, void* argument) {
    __try {
        function(argument);
    } __except (EXCEPTION_EXECUTE_HANDLER) {
        return false;
    }
    return true;
}

#elif defined(__x86_64__)

// GCC has no __try, so the guard is a small assembly frame whose unwind data
// names HeliodrumGuardHandler as its exception handler. The handler unwinds to
// HeliodrumGuardResume inside that frame (running the unwind handlers of the
// frames in between), which returns 0 from the guard; a normal return gives 1.
extern "C" int HeliodrumCallGuarded(GuardedFunction function, void* argument);
extern "C" void HeliodrumGuardResume();

// The dispatcher asks this handler only when no frame nearer the fault took the
// exception.
extern "C" EXCEPTION_DISPOSITION HeliodrumGuardHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                                       CONTEXT* /*context*/, DISPATCHER_CONTEXT* dispatcher) {
    if (record->ExceptionFlags & EXCEPTION_UNWIND) return ExceptionContinueSearch;
    RtlUnwindEx(establisherFrame, reinterpret_cast<void*>(&HeliodrumGuardResume), record, nullptr,
                dispatcher->ContextRecord, dispatcher->HistoryTable);
    return ExceptionContinueSearch;  // RtlUnwindEx does not come back
}

// The return address of the call (the nop) must lie inside the frame for the
// unwinder to find the handler; the resume point must lie inside it too, with
// the stack pointer where the prologue left it.
asm(R"(
    .text
    .p2align 4
    .globl HeliodrumCallGuarded
    .def HeliodrumCallGuarded; .scl 2; .type 32; .endef
    .seh_proc HeliodrumCallGuarded
HeliodrumCallGuarded:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler HeliodrumGuardHandler, @except
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    nop
    movl $1, %eax
    addq $40, %rsp
    ret
    .globl HeliodrumGuardResume
HeliodrumGuardResume:
    xorl %eax, %eax
    addq $40, %rsp
    ret
    .seh_endproc
)");

bool CallGuarded(GuardedFunction function, void* argument) { return HeliodrumCallGuarded(function, argument) != 0; }

#elif defined(__i386__)

// GCC has no __try, so the guard is a small assembly frame that links an
// exception registration record into the thread's fs:[0] chain around the call.
// Its handler first unwinds the records nearer the fault with RtlUnwind (their
// handlers run their unwind code), then puts the stack pointer back on the
// guard's record and jumps to the resume point, which unlinks the record,
// restores the callee-saved registers and returns 0; a normal return gives 1.
// The jump is made directly rather than by returning ExceptionContinueExecution
// with a rewritten context, so that non-continuable exceptions end the call too.
// Stack of the guard, from its record upwards: previous record, handler, edi,
// esi, ebx, ebp, return address, function, argument. The MinGW linker writes no
// SafeSEH table, and an image without one may register any of its handlers.
extern "C" int __cdecl HeliodrumCallGuarded(GuardedFunction function, void* argument);

asm(R"(
    .text
    .p2align 4
    .globl _HeliodrumCallGuarded
    .def _HeliodrumCallGuarded; .scl 2; .type 32; .endef
_HeliodrumCallGuarded:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl $_HeliodrumGuardHandler
    pushl %fs:0
    movl %esp, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    addl $4, %esp
    movl $1, %eax
.Lheliodrum_guard_resume:
    popl %fs:0
    addl $4, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    .p2align 4
    .def _HeliodrumGuardHandler; .scl 3; .type 32; .endef
_HeliodrumGuardHandler:
    movl 4(%esp), %eax              # the exception record
    testl $6, 4(%eax)               # unwinding (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)?
    jz 1f
    movl $1, %eax                   # ExceptionContinueSearch
    ret
1:
    pushl $0                        # RtlUnwind(record of the guard, 2f, exception record, 0)
    pushl 8(%esp)
    pushl $2f
    pushl 20(%esp)
    call _RtlUnwind@16              # RtlUnwind may not keep ebx, esi, edi: only the stack is used after it
2:
    movl 8(%esp), %esp              # back on the guard's record, discarding the faulted frames
    xorl %eax, %eax
    jmp .Lheliodrum_guard_resume
)");

bool CallGuarded(GuardedFunction function, void* argument) { return HeliodrumCallGuarded(function, argument) != 0; }

#else
#error "the plug-in guard is written for x86 and x64"
#endif
