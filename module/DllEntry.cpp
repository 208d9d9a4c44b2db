#include <windows.h>

#include "Exports.h"
#include "platform/Control.h"
#include "platform/KeyboardHook.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            wendrik::LibraryStartup();
        } catch (...) {
            return FALSE;
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        // Unloaded by FreeLibrary: what the host left behind goes now, while
        // the code its windows and the hook point to is still there. At
        // process exit (reserved set) the system takes the windows itself.
        try {
            if (!reserved) platform::KeyboardHook::DestroyLeftovers();
        } catch (...) {
        }
        platform::Control::UnregisterOwnClass();
    }
    return TRUE;
}
