// The wide calls that the static C and C++ runtimes make on their own (the
// thread runtime's locks, the C runtime's look at msvcrt), which Windows 95,
// 98 and ME export only as stubs that fail: here each is done by its ANSI
// counterpart, under the system's own name, import slot and calling
// convention, so that the runtime linked into a 32-bit image calls these
// and the image imports none of them. Only the shipped 32-bit images link it.
#include <windows.h>

// `wide` in the code page; FALSE when it does not fit or cannot be written there.
static BOOL Narrow(LPCWSTR wide, char* narrow, int size) {
    BOOL lossy = FALSE;
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, size, NULL, &lossy) > 0 && !lossy;
}

HANDLE WINAPI OwnCreateSemaphoreW(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name)
    __asm__("_CreateSemaphoreW@16");
HANDLE WINAPI OwnCreateSemaphoreW(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
    char narrow[MAX_PATH];
    if (name && !Narrow(name, narrow, sizeof(narrow))) {
        SetLastError(ERROR_INVALID_NAME);
        return NULL;
    }
    return CreateSemaphoreA(security, initial, maximum, name ? narrow : NULL);
}

HMODULE WINAPI OwnGetModuleHandleW(LPCWSTR name) __asm__("_GetModuleHandleW@4");
HMODULE WINAPI OwnGetModuleHandleW(LPCWSTR name) {
    char narrow[MAX_PATH];
    if (!name) return GetModuleHandleA(NULL);
    if (!Narrow(name, narrow, sizeof(narrow))) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return NULL;
    }
    return GetModuleHandleA(narrow);
}

HMODULE WINAPI OwnLoadLibraryW(LPCWSTR name) __asm__("_LoadLibraryW@4");
HMODULE WINAPI OwnLoadLibraryW(LPCWSTR name) {
    char narrow[MAX_PATH];
    if (!name || !Narrow(name, narrow, sizeof(narrow))) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return NULL;
    }
    return LoadLibraryA(narrow);
}

// The slots through which the runtime calls them, where an import would put the system's.
HANDLE(WINAPI* OwnCreateSemaphoreWSlot)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR)
    __asm__("__imp__CreateSemaphoreW@16") = OwnCreateSemaphoreW;
HMODULE(WINAPI* OwnGetModuleHandleWSlot)(LPCWSTR) __asm__("__imp__GetModuleHandleW@4") = OwnGetModuleHandleW;
HMODULE(WINAPI* OwnLoadLibraryWSlot)(LPCWSTR) __asm__("__imp__LoadLibraryW@4") = OwnLoadLibraryW;
