#pragma once
#include <windows.h>
#include "platform/system/UniqueHandle.h"

namespace platform {

// A GDI object (pen, brush, font, bitmap, region), deleted with DeleteObject.
struct GdiHandleTraits {
    using Handle = HGDIOBJ;
    static bool IsNone(Handle h) { return !h; }
    static void Free(Handle h) { DeleteObject(h); }
};
using GdiHandle = UniqueHandle<GdiHandleTraits>;

// An icon or cursor made or loaded as a copy of its own, freed with DestroyIcon.
struct IconHandleTraits {
    using Handle = HICON;
    static bool IsNone(Handle h) { return !h; }
    static void Free(Handle h) { DestroyIcon(h); }
};
using IconHandle = UniqueHandle<IconHandleTraits>;

}  // namespace platform
