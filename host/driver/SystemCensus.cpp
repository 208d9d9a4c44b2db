#include "SystemCensus.h"

#include <vector>

namespace desktop {

namespace {

size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof(info)) == sizeof(info);) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

size_t HeapBytes() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    size_t total = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        HeapUnlock(heap);
    }
    return total;
}

// GetGuiResources answers 0 on some systems; a handle value scan works there.
int GdiObjects() {
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported) return static_cast<int>(reported);
    int count = 0;
    for (UINT_PTR value = 1; value <= 0xFFFF; ++value)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value))) ++count;
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

}  // namespace

Census Census::Take() {
    Census c;
    c.privateBytes = PrivateBytes();
    c.heapBytes = HeapBytes();
    c.gdiObjects = GdiObjects();
    EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&c.windows));
    return c;
}

}  // namespace desktop
