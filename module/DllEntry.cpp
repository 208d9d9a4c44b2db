#include <windows.h>

#include "Exports.h"
#include "platform/Control.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            wendrik::LibraryStartup();
        } catch (...) {
            return FALSE;
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        platform::Control::UnregisterOwnClass();
    }
    return TRUE;
}
