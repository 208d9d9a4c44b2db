#pragma once
#include <windows.h>
#include "platform/system/UniqueHandle.h"

namespace platform {

// A window that is no control's, such as a form's tooltip, destroyed with
// DestroyWindow (on the thread that made it). A window that its owner's
// destruction takes along is let go with Release.
struct WindowHandleTraits : NullIsNone<HWND> {
    static void Free(Handle h) { DestroyWindow(h); }
};
using WindowHandle = UniqueHandle<WindowHandleTraits>;

// A menu that no window holds.
struct MenuHandleTraits : NullIsNone<HMENU> {
    static void Free(Handle h) { DestroyMenu(h); }
};
using MenuHandle = UniqueHandle<MenuHandleTraits>;

}  // namespace platform
