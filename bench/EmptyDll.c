/* The floor for loading a library: an image with an entry point that does nothing. */
#include <windows.h>

BOOL WINAPI EmptyEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance, (void)reason, (void)reserved;
    return TRUE;
}
