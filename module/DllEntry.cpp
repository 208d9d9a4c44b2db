#include <windows.h>

#include "Exports.h"
#include "platform/system/SystemBoundary.h"
#include "platform/window/Control.h"
#include "platform/window/KeyboardHook.h"
#include "platform/window/WindowClass.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        return platform::SystemBoundary::Enter(
            [] {
                wendrik::LibraryStartup();
                return TRUE;
            },
            [] { return FALSE; });
    } else if (reason == DLL_PROCESS_DETACH) {
        // Unloaded by FreeLibrary. While a form lives the image holds itself,
        // so none should be left; if one is, it goes now if this thread owns
        // it (the last reference may go on a worker thread, which must not
        // touch windows). At process exit (reserved set) the system takes
        // the windows itself.
        platform::SystemBoundary::Enter(
            [reserved] {
                if (!reserved) platform::KeyboardHook::DestroyLeftovers();
                platform::WindowClass::Unregister();  // on the thread that registered it, else nothing
                return 0;
            },
            [] { return 0; });
    }
    return TRUE;
}
