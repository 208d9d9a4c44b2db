#pragma once
#include <windows.h>
#include <shellapi.h>

namespace platform {

// The calls that act on the machine or read the clock. Real by default;
// tests replace entries to record calls and to refuse or grant requests.
struct SystemFunctions {
    BOOL(WINAPI* ShellExecuteExA)(SHELLEXECUTEINFOA* info);
    void(WINAPI* GetLocalTime)(SYSTEMTIME* time);
    UINT(WINAPI* GetWindowsDirectoryA)(LPSTR buffer, UINT size);

    static SystemFunctions& Current();
    // Puts every entry back to the real function.
    static void Restore();
};

}  // namespace platform
