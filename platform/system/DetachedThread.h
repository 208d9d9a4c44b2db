#pragma once
#include <windows.h>
#include <functional>

namespace platform {

// Work that runs on by itself on a thread of its own, for calls that may
// hang (a share that stopped answering): nobody waits for it, and what it
// shares with its starter lives in a RefCounted object both hold. The
// thread holds the image while its code runs and gives it back as it
// exits, so a host may unload the module meanwhile. The work runs behind
// the system boundary, with no "no disk" box from the system.
class DetachedThread {
public:
    // False, with nothing started or held, when no thread can be had.
    // Only the thread's handle is given back, in `thread` when asked for
    // (the caller then owns it; it may wait a moment for the end with it).
    static bool Start(std::function<void()> work, HANDLE* thread = nullptr);
};

}  // namespace platform
