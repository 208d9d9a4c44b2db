#include "SystemFunctions.h"

namespace platform {

namespace {
template <class Function>
Function Kernel32(const char* name) {
    return reinterpret_cast<Function>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name));
}
}  // namespace

SystemFunctions& SystemFunctions::Current() {
    static SystemFunctions current{::ShellExecuteExA,       ::GetLocalTime,     ::GetSystemWindowsDirectoryA,
                                   ::GetCurrentProcess,     ::OpenProcessToken, ::LookupPrivilegeValueA,
                                   ::AdjustTokenPrivileges, ::CloseHandle,      ::ExitWindowsEx,
                                   ::WNetGetConnectionA,    ::GetVolumeInformationA,
                                   ::GetLogicalDrives,      ::GetModuleHandleA,
                                   ::GetProcAddress,        ::GetDriveTypeA,
                                   ::GetFileAttributesA,
                                   Kernel32<decltype(IsWow64Process)>("IsWow64Process"),
                                   Kernel32<decltype(Wow64DisableWow64FsRedirection)>("Wow64DisableWow64FsRedirection"),
                                   Kernel32<decltype(Wow64RevertWow64FsRedirection)>("Wow64RevertWow64FsRedirection"),
                                   Kernel32<decltype(SetThreadErrorMode)>("SetThreadErrorMode")};
    return current;
}

}  // namespace platform
