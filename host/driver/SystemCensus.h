#pragma once
#include <windows.h>
#include <cstddef>

namespace desktop {

// What the process holds right now, read from the system.
struct Census {
    size_t privateBytes = 0;  // committed private memory
    size_t heapBytes = 0;     // busy blocks of every process heap
    int gdiObjects = 0;
    int windows = 0;          // of this thread, children included
    static Census Take();
};

}  // namespace desktop
