#include "SystemFunctions.h"

#include <string>

#include "CompatibleCalls.h"
#include "CriticalSection.h"
#include "SecurityCalls.h"

namespace platform {

namespace {
template <class Function>
Function Kernel32(const char* name) {
    return reinterpret_cast<Function>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name));
}

// The libraries loaded on first use, each once, from the system folder.
struct Library {
    const char* name;
    HMODULE module = nullptr;
    bool tried = false;
};
Library libraries[] = {{"shell32.dll"}, {"mpr.dll"}, {"comctl32.dll"}, {"msimg32.dll"}, {"ole32.dll"}};

// Guards the first load of each library: threads that ask at once (two
// drive queries wanting mpr) all get it, loaded once. Made when the image
// loads, before any thread of ours can ask; our threads hold the image.
platform::CriticalSection& loadingLock = *new platform::CriticalSection;  // never destroyed: no work at unload

HMODULE SystemLibrary(const char* name) {
    for (Library& library : libraries) {
        if (lstrcmpiA(library.name, name) != 0) continue;
        {
            platform::CriticalSection::Lock locked(loadingLock);
            if (library.tried) return library.module;  // kept for the life of the process
        }
        // Loaded without the lock: a library's start that ends the thread
        // (a structured exception unwinds nothing) must not leave it taken.
        char folder[MAX_PATH] = {};
        UINT n = GetSystemDirectoryA(folder, MAX_PATH);
        HMODULE loaded = n > 0 && n < MAX_PATH ? LoadLibraryA((std::string(folder, n) + "\\" + name).c_str()) : nullptr;
        {
            platform::CriticalSection::Lock locked(loadingLock);
            if (!library.tried) {
                library.module = loaded;
                library.tried = true;  // only with the outcome: no thread takes "not yet" for it
                return loaded;
            }
        }
        if (loaded) FreeLibrary(loaded);  // another thread was first: its reference is the one kept
        return library.module;
    }
    return nullptr;
}

// Puts the real function into the table in place of its stub (unless a test
// has put its own there) and gives it; null, with ERROR_PROC_NOT_FOUND, when
// it cannot be had.
template <class Function>
Function Bind(Function SystemFunctions::*entry, Function stub, const char* library, const char* name) {
    HMODULE module = SystemLibrary(library);
    auto real = module ? reinterpret_cast<Function>(::GetProcAddress(module, name)) : nullptr;
    SystemFunctions& table = SystemFunctions::Current();
    if (real && table.*entry == stub) table.*entry = real;
    if (!real) SetLastError(ERROR_PROC_NOT_FOUND);
    return real;
}

// Each stub binds its entry on the first call and then calls the real function.
BOOL WINAPI LazyShellExecuteExA(SHELLEXECUTEINFOA* info) {
    auto real = Bind(&SystemFunctions::ShellExecuteExA, &LazyShellExecuteExA, "shell32.dll", "ShellExecuteExA");
    return real ? real(info) : FALSE;
}

DWORD WINAPI LazyWNetGetConnectionA(LPCSTR local, LPSTR remote, DWORD* length) {
    auto real = Bind(&SystemFunctions::WNetGetConnectionA, &LazyWNetGetConnectionA, "mpr.dll", "WNetGetConnectionA");
    return real ? real(local, remote, length) : ERROR_NOT_SUPPORTED;
}

BOOL WINAPI LazyInitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    auto real = Bind(&SystemFunctions::InitCommonControlsEx, &LazyInitCommonControlsEx, "comctl32.dll",
                     "InitCommonControlsEx");
    return real ? real(init) : FALSE;
}

HIMAGELIST WINAPI LazyImageList_Create(int width, int height, UINT flags, int initial, int grow) {
    auto real = Bind(&SystemFunctions::ImageList_Create, &LazyImageList_Create, "comctl32.dll", "ImageList_Create");
    return real ? real(width, height, flags, initial, grow) : nullptr;
}

BOOL WINAPI LazyImageList_Destroy(HIMAGELIST list) {
    auto real = Bind(&SystemFunctions::ImageList_Destroy, &LazyImageList_Destroy, "comctl32.dll", "ImageList_Destroy");
    return real ? real(list) : FALSE;
}

int WINAPI LazyImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
    auto real = Bind(&SystemFunctions::ImageList_AddMasked, &LazyImageList_AddMasked, "comctl32.dll",
                     "ImageList_AddMasked");
    return real ? real(list, bitmap, mask) : -1;
}

BOOL WINAPI LazyImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    auto real = Bind(&SystemFunctions::ImageList_Draw, &LazyImageList_Draw, "comctl32.dll", "ImageList_Draw");
    return real ? real(list, index, dc, x, y, style) : FALSE;
}

int WINAPI LazyImageList_GetImageCount(HIMAGELIST list) {
    auto real = Bind(&SystemFunctions::ImageList_GetImageCount, &LazyImageList_GetImageCount, "comctl32.dll",
                     "ImageList_GetImageCount");
    return real ? real(list) : 0;
}

BOOL WINAPI LazyTransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                               int sh, UINT transparent) {
    auto real = Bind(&SystemFunctions::TransparentBlt, &LazyTransparentBlt, "msimg32.dll", "TransparentBlt");
    return real ? real(dest, x, y, width, height, source, sx, sy, sw, sh, transparent) : FALSE;
}

HRESULT WINAPI LazyCoInitializeEx(void* reserved, DWORD flags) {
    auto real = Bind(&SystemFunctions::CoInitializeEx, &LazyCoInitializeEx, "ole32.dll", "CoInitializeEx");
    return real ? real(reserved, flags) : E_NOTIMPL;
}

BOOL WINAPI LazyTrackMouseEvent(TRACKMOUSEEVENT* request) {
    auto real = Bind(&SystemFunctions::TrackMouseEventInCommonControls, &LazyTrackMouseEvent, "comctl32.dll",
                     "_TrackMouseEvent");
    return real ? real(request) : FALSE;
}

BOOL WINAPI OpenTokenWhereThereIsOne(HANDLE process, DWORD access, HANDLE* token) {
    if (auto call = SecurityCalls::Get().OpenProcessToken) return call(process, access, token);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL WINAPI LookupPrivilegeWhereThereIsOne(LPCSTR system, LPCSTR name, LUID* luid) {
    if (auto call = SecurityCalls::Get().LookupPrivilegeValueA) return call(system, name, luid);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL WINAPI AdjustPrivilegesWhereThereIsOne(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* state, DWORD length,
                                            TOKEN_PRIVILEGES* previous, DWORD* returned) {
    if (auto call = SecurityCalls::Get().AdjustTokenPrivileges)
        return call(token, disableAll, state, length, previous, returned);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

void WINAPI LazyCoUninitialize() {
    auto real = Bind(&SystemFunctions::CoUninitialize, &LazyCoUninitialize, "ole32.dll", "CoUninitialize");
    if (real) real();
}
}  // namespace

SystemFunctions& SystemFunctions::Current() {
    static SystemFunctions current{LazyShellExecuteExA,     ::CreateProcessA,   ::GetExitCodeProcess,
                                   SecurityCalls::TokenMembership, ::GetLocalTime,
                                   CompatibleCalls::SystemWindowsDirectory,
                                   ::GetCurrentProcess,     OpenTokenWhereThereIsOne, LookupPrivilegeWhereThereIsOne,
                                   AdjustPrivilegesWhereThereIsOne, ::CloseHandle,      ::ExitWindowsEx,
                                   LazyWNetGetConnectionA,  ::GetVolumeInformationA,
                                   ::GetLogicalDrives,      ::GetModuleHandleA,
                                   ::GetProcAddress,        ::GetDriveTypeA,
                                   ::GetFileAttributesA,            ::CreateFileA,
                                   ::FlushFileBuffers,
                                   Kernel32<decltype(IsWow64Process)>("IsWow64Process"),
                                   Kernel32<decltype(Wow64DisableWow64FsRedirection)>("Wow64DisableWow64FsRedirection"),
                                   Kernel32<decltype(Wow64RevertWow64FsRedirection)>("Wow64RevertWow64FsRedirection"),
                                   Kernel32<decltype(SetThreadErrorMode)>("SetThreadErrorMode"),
                                   LazyInitCommonControlsEx,
                                   LazyImageList_Create,
                                   LazyImageList_Destroy,
                                   LazyImageList_AddMasked,
                                   LazyImageList_Draw,
                                   LazyImageList_GetImageCount,
                                   LazyCoInitializeEx,
                                   LazyCoUninitialize,
                                   LazyTransparentBlt,
                                   LazyTrackMouseEvent};
    return current;
}

void SystemFunctions::Preload(const char* library) { SystemLibrary(library); }

}  // namespace platform
