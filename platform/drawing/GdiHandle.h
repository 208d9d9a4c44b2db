#pragma once
#include <windows.h>
#include "platform/system/UniqueHandle.h"

namespace platform {

// A GDI object of one kind (HBRUSH, HFONT, HBITMAP, or any as HGDIOBJ);
// every kind counts in one live count of GDI objects.
struct GdiCount {
    static LONG& Count() {
        static LONG live = 0;
        return live;
    }
};

template <class Object>
struct GdiObjectTraits : NullIsNone<Object>, GdiCount {
    static void Free(Object h) { DeleteObject(h); }
};

template <class Object>
using GdiObject = UniqueHandle<GdiObjectTraits<Object>>;
using GdiHandle = GdiObject<HGDIOBJ>;
using BrushHandle = GdiObject<HBRUSH>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;

// An icon or cursor made or loaded as a copy of its own.
struct IconHandleTraits : NullIsNone<HICON> {
    static void Free(Handle h) { DestroyIcon(h); }
};
using IconHandle = UniqueHandle<IconHandleTraits>;

}  // namespace platform
