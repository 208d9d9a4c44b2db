#include "ThreadExceptionGuard.h"

#include <excpt.h>

namespace platform {

namespace {
constexpr DWORD kUnwinding = 0x2 | 0x4;  // EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND

[[noreturn]] void EndThread(DWORD* code, DWORD exception) {
    *code = exception;
    ExitThread(exception);
}
}  // namespace

#if defined(__x86_64__)

// x64 finds handlers by the unwind data of the function: a small function
// of its own carries it. Its frame keeps `code` where the handler finds it
// (the establisher frame is the stack pointer after the prologue).
extern "C" void wendrik_guarded_run(ThreadExceptionGuard::Body body, void* argument, DWORD* code);
extern "C" EXCEPTION_DISPOSITION wendrik_guard_handler(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*) {
    if (record->ExceptionFlags & kUnwinding) return ExceptionContinueSearch;
    EndThread(*reinterpret_cast<DWORD**>(static_cast<char*>(frame) + 40), record->ExceptionCode);
}

asm(R"(
    .text
    .p2align 4
    .globl wendrik_guarded_run
    .def wendrik_guarded_run; .scl 2; .type 32; .endef
    .seh_proc wendrik_guarded_run
wendrik_guarded_run:
    subq $56, %rsp
    .seh_stackalloc 56
    .seh_endprologue
    .seh_handler wendrik_guard_handler, @except
    movq %r8, 40(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    nop
    addq $56, %rsp
    ret
    .seh_endproc
)");

void ThreadExceptionGuard::Run(Body body, void* argument, DWORD* code) { wendrik_guarded_run(body, argument, code); }

#else

// x86 chains handlers through fs:[0]; the record lives in this frame, with
// `code` beside it for the handler.
struct Registration {
    Registration* next;
    void* handler;
    DWORD* code;
};

extern "C" EXCEPTION_DISPOSITION __cdecl wendrik_guard_handler(EXCEPTION_RECORD* record, void* frame, CONTEXT*,
                                                                 void*) {
    if (record->ExceptionFlags & kUnwinding) return ExceptionContinueSearch;
    EndThread(static_cast<Registration*>(frame)->code, record->ExceptionCode);
}

// An image with a table of safe exception handlers (/SAFESEH) gets only
// those called: this one would be refused and the guard silently gone. This
// toolchain's assembler has no ".safeseh" to list it and its linker builds
// no such table; scripts/check-images.sh fails the 32-bit images the day
// one appears, so that the handler is listed before they ship.

__attribute__((noinline)) void ThreadExceptionGuard::Run(Body body, void* argument, DWORD* code) {
    Registration registration{nullptr, reinterpret_cast<void*>(&wendrik_guard_handler), code};
    asm volatile("movl %%fs:0, %0" : "=r"(registration.next));
    asm volatile("movl %0, %%fs:0" : : "r"(&registration) : "memory");
    body(argument);
    asm volatile("movl %0, %%fs:0" : : "r"(registration.next) : "memory");
}

#endif

}  // namespace platform
