#include <windows.h>

#include "Exports.h"
#include "platform/window/Control.h"
#include "platform/window/KeyboardHook.h"
#include "platform/window/WindowClass.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            wendrik::LibraryStartup();
        } catch (...) {
            return FALSE;
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        // Unloaded by FreeLibrary. While a form lives the image holds itself,
        // so none should be left; if one is, it goes now if this thread owns
        // it (the last reference may go on a worker thread, which must not
        // touch windows). At process exit (reserved set) the system takes
        // the windows itself.
        try {
            if (!reserved) platform::KeyboardHook::DestroyLeftovers();
        } catch (...) {
        }
        platform::WindowClass::Unregister();
    }
    return TRUE;
}
