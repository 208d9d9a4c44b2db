#include "SystemFunctions.h"

namespace platform {

SystemFunctions& SystemFunctions::Current() {
    static SystemFunctions current{::ShellExecuteExA,       ::GetLocalTime,     ::GetSystemWindowsDirectoryA,
                                   ::GetCurrentProcess,     ::OpenProcessToken, ::LookupPrivilegeValueA,
                                   ::AdjustTokenPrivileges, ::CloseHandle,      ::ExitWindowsEx,
                                   ::WNetGetConnectionA,    ::GetVolumeInformationA,
                                   ::GetLogicalDrives,      ::GetModuleHandleA,
                                   ::GetProcAddress,        ::GetDriveTypeA};
    return current;
}

}  // namespace platform
