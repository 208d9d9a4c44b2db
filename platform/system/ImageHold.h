#pragma once
#include <windows.h>
#include <cstddef>

namespace platform {

// The image's hold on itself: references of its own to the DLL (or EXE)
// this code is linked into, each owned and given back once.
class ImageHold {
public:
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
    // One more reference to this image, given back with FreeLibrary or, by
    // a thread of ours, FreeLibraryAndExitThread; false when none was had.
    static bool TakeImageReference();
    // Told how many forms exist. While any does, its window procedure points
    // into this image: the image holds itself, so that no unload (by the
    // host, or the last reference going on a worker thread) can unmap it
    // under a live window. That hold goes when an export ends, or at the
    // host's next call, once the last form has gone: never from a window
    // procedure, which the host may call with no reference of its own left.
    static void FormsAlive(size_t count);
    static size_t FormCount();
    // At the end of an export, after its scope: while the host calls us it
    // holds the image, or our own reference from a nested loop does.
    static void LeaveExport();
};

}  // namespace platform
