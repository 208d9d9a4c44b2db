#pragma once
#include <windows.h>
#include <functional>

namespace platform {

// Waits that keep this thread's windows painting and the host alive.
class PumpingWait {
public:
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
};

}  // namespace platform
