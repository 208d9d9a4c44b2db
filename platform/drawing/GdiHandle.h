#pragma once
#include <windows.h>
#include "platform/system/UniqueHandle.h"

namespace platform {

// A GDI object (pen, brush, font, bitmap, region).
struct GdiHandleTraits : NullIsNone<HGDIOBJ> {
    static void Free(Handle h) { DeleteObject(h); }
};
using GdiHandle = UniqueHandle<GdiHandleTraits>;

// An icon or cursor made or loaded as a copy of its own.
struct IconHandleTraits : NullIsNone<HICON> {
    static void Free(Handle h) { DestroyIcon(h); }
};
using IconHandle = UniqueHandle<IconHandleTraits>;

}  // namespace platform
