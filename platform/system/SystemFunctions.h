#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <winnetwk.h>

namespace platform {

// The calls that act on the machine or read the clock. Real by default;
// tests replace entries to record calls and to refuse or grant requests.
struct SystemFunctions {
    BOOL(WINAPI* ShellExecuteExA)(SHELLEXECUTEINFOA* info);
    BOOL(WINAPI* CreateProcessA)(LPCSTR application, LPSTR commandLine, SECURITY_ATTRIBUTES* process,
                                 SECURITY_ATTRIBUTES* thread, BOOL inherit, DWORD flags, void* environment,
                                 LPCSTR directory, STARTUPINFOA* startup, PROCESS_INFORMATION* info);
    BOOL(WINAPI* GetExitCodeProcess)(HANDLE process, DWORD* code);
    // Whether this process runs with the administrators' rights (a filtered
    // token of UAC says no). The token calls here are the NT family's, looked
    // up at first use: where the system lacks one it fails with
    // ERROR_CALL_NOT_IMPLEMENTED (SecurityCalls).
    BOOL(WINAPI* CheckTokenMembership)(HANDLE token, PSID sid, BOOL* member);
    void(WINAPI* GetLocalTime)(SYSTEMTIME* time);
    // The system's Windows folder, also under Terminal Services; GetWindowsDirectoryA before Windows 2000.
    UINT(WINAPI* GetSystemWindowsDirectoryA)(LPSTR buffer, UINT size);
    HANDLE(WINAPI* GetCurrentProcess)();
    BOOL(WINAPI* OpenProcessToken)(HANDLE process, DWORD access, HANDLE* token);
    BOOL(WINAPI* LookupPrivilegeValueA)(LPCSTR system, LPCSTR name, LUID* luid);
    BOOL(WINAPI* AdjustTokenPrivileges)(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* state,
                                        DWORD length, TOKEN_PRIVILEGES* previous, DWORD* returned);
    BOOL(WINAPI* CloseHandle)(HANDLE handle);
    BOOL(WINAPI* ExitWindowsEx)(UINT flags, DWORD reason);
    DWORD(WINAPI* WNetGetConnectionA)(LPCSTR localName, LPSTR remoteName, DWORD* length);
    BOOL(WINAPI* GetVolumeInformationA)(LPCSTR root, LPSTR name, DWORD nameSize, DWORD* serial,
                                        DWORD* maxComponent, DWORD* flags, LPSTR fileSystem,
                                        DWORD fileSystemSize);
    DWORD(WINAPI* GetLogicalDrives)();
    HMODULE(WINAPI* GetModuleHandleA)(LPCSTR name);
    FARPROC(WINAPI* GetProcAddress)(HMODULE module, LPCSTR name);
    UINT(WINAPI* GetDriveTypeA)(LPCSTR root);
    // Asked beside the window before a folder is entered: a vanished share can hang it.
    DWORD(WINAPI* GetFileAttributesA)(LPCSTR path);
    // Where a new backup's file is made (a full disk, a read-only medium
    // refuse it), and before it takes the old one's name: its data on the disk.
    HANDLE(WINAPI* CreateFileA)(LPCSTR path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                                DWORD disposition, DWORD flags, HANDLE templateFile);
    BOOL(WINAPI* FlushFileBuffers)(HANDLE file);
    // Looked up at run time: null where the system lacks them (Windows XP
    // before SP2 has no IsWow64Process, 32-bit XP no redirection calls).
    BOOL(WINAPI* IsWow64Process)(HANDLE process, BOOL* wow64);
    BOOL(WINAPI* Wow64DisableWow64FsRedirection)(void** old);
    BOOL(WINAPI* Wow64RevertWow64FsRedirection)(void* old);
    // Windows 7 and later: the error mode of one thread.
    BOOL(WINAPI* SetThreadErrorMode)(DWORD mode, DWORD* old);
    // Of comctl32 and msimg32, like ShellExecuteExA (shell32) and
    // WNetGetConnectionA (mpr): these libraries are loaded on first use, by
    // full path from the system folder, so that loading the module maps none
    // of them. A library or function that cannot be had makes the call fail
    // (ERROR_PROC_NOT_FOUND), never crash.
    BOOL(WINAPI* InitCommonControlsEx)(const INITCOMMONCONTROLSEX* init);
    HIMAGELIST(WINAPI* ImageList_Create)(int width, int height, UINT flags, int initial, int grow);
    BOOL(WINAPI* ImageList_Destroy)(HIMAGELIST list);
    int(WINAPI* ImageList_AddMasked)(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
    BOOL(WINAPI* ImageList_Draw)(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
    int(WINAPI* ImageList_GetImageCount)(HIMAGELIST list);
    // Of ole32: the shell's elevated start wants COM on its thread.
    HRESULT(WINAPI* CoInitializeEx)(void* reserved, DWORD flags);
    void(WINAPI* CoUninitialize)();
    BOOL(WINAPI* TransparentBlt)(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                                 int sw, int sh, UINT transparent);
    // Windows 95's way to WM_MOUSELEAVE, which its user32 lacks (comctl32 of Internet Explorer 3 and on).
    BOOL(WINAPI* TrackMouseEventInCommonControls)(TRACKMOUSEEVENT* request);

    static SystemFunctions& Current();
    // Loads a library of the lazy entries now: before file-system redirection
    // is turned off, which would have the system folder's 64-bit copy found.
    static void Preload(const char* library);
};

}  // namespace platform
