#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Process-wide facts and the deferred destruction of windows: an object that
// is asked to go away while one of our handlers is still on the stack is
// destroyed when the outermost handler has returned.
class Application {
public:
    // The image (DLL or EXE) this code is linked into; resources load from it.
    static HINSTANCE Instance();
    // The host executable's name without folder and extension.
    static std::string Title();
    // The folder of the host executable, with a trailing backslash.
    static std::string ExeFolder();

    // Counts the handlers and exports that are running; destruction waits
    // until the count is back to 0.
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };
    // Runs `destroy` now when no handler runs, else when the last one returns.
    static void Defer(std::function<void()> destroy);

    // Dispatches the thread's pending messages; false when WM_QUIT came
    // (it is posted again for the outer loop).
    static bool ProcessMessages();
    // Pumps messages until `handle` is signalled; false when the wait failed
    // or the thread is quitting.
    static bool WaitPumping(HANDLE handle);

private:
    static void RunDeferred();
};

}  // namespace platform
