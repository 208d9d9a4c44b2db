#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Process-wide facts, the deferred destruction of windows, and the image's
// hold on itself. An object that is asked to go away while one of our
// handlers is still on the stack is destroyed when the outermost handler has
// returned.
class Application {
public:
    // The image (DLL or EXE) this code is linked into; resources load from it.
    static HINSTANCE Instance();
    // The host executable's name without folder and extension.
    static std::string Title();
    // The folder of the host executable, with a trailing backslash; "" when
    // the system cannot say.
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
    // True while a handler or export of ours is on the stack.
    static bool Running();
    // True while another one runs beneath the current one, so that deferred
    // work waits for more than the current one to return.
    static bool Nested();
    // Runs `work` now when no handler runs, else when the last one returns.
    // Deferred work must not throw: nobody is left to hear of it.
    static void Defer(std::function<void()> work);

    // Before our code runs the host's (a message box, a nested loop, a
    // broadcast): the host may unload the module from in there, so the
    // image takes a reference of its own and stays mapped.
    static void HoldImage();
    // At an entry point, before its scope: when none of our code is on the
    // stack and nothing is pending, the host called from its own code and
    // holds the image while it calls, so our reference can go. Where that
    // moment never comes, it is kept for the life of the process.
    static void ReleaseHeldImage();
    static bool ImageHeld();
    // One more reference to this image, given back with FreeLibrary(Instance())
    // or, by a thread of ours, FreeLibraryAndExitThread; false when none was had.
    static bool TakeImageReference();
    // Told how many forms exist. While any does, its window procedure points
    // into this image: the image holds itself, so that no unload (by the
    // host, or the last reference going on a worker thread) can unmap it
    // under a live window. That hold goes when an export ends, or at the
    // host's next call, once the last form has gone: never from a window
    // procedure, which the host may call with no reference of its own left.
    static void FormsAlive(size_t count);
    // At the end of an export, after its scope: while the host calls us it
    // holds the image, or our own reference from a nested loop does.
    static void LeaveExport();

    // Shows help on a help context; the module sets the handler.
    static void ShowHelp(int helpContext);
    static void SetHelpHandler(std::function<void(int)> handler);

    // Dispatches the thread's pending messages; false when WM_QUIT came
    // (it is posted again for the outer loop).
    static bool ProcessMessages();
    // Pumps messages until `handle` is signalled; false when the wait failed
    // or the thread is quitting.
    static bool WaitPumping(HANDLE handle);
    // Runs `work` on a thread of its own while this one keeps dispatching
    // messages (windows paint, the host stays alive), and returns when it
    // has finished, also when the thread is quitting (then false). What the
    // work throws is raised again here. A structured exception in the work
    // ends its thread alone: its code goes to `structuredException`, or
    // without one it is raised here as an Error. Without a thread to spare
    // the work runs here.
    static bool RunPumping(const std::function<void()>& work, DWORD* structuredException = nullptr);

private:
    static void RunDeferred();
};

}  // namespace platform
