#pragma once
#include <windows.h>

namespace platform {

// Runs work on a thread of ours so that a structured exception that nothing
// inside handles (an access violation in a shell extension, say) ends that
// thread alone, not the host's process. The thread ends at once, with the
// exception's code as its exit code; nothing on its stack is unwound, so
// whatever the thread changed about itself (its file-system redirection)
// ends with it. This toolchain's C++ exceptions are no structured ones:
// `body` must let none of them out.
class ThreadExceptionGuard {
public:
    using Body = void (*)(void* argument);
    // Calls body(argument). On a structured exception: *code := its code,
    // and the calling thread exits.
    static void Run(Body body, void* argument, DWORD* code);
};

}  // namespace platform
