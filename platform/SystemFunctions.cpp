#include "SystemFunctions.h"

namespace platform {

SystemFunctions& SystemFunctions::Current() {
    static SystemFunctions current{::ShellExecuteExA,       ::GetLocalTime,     ::GetWindowsDirectoryA,
                                   ::GetCurrentProcess,     ::OpenProcessToken, ::LookupPrivilegeValueA,
                                   ::AdjustTokenPrivileges, ::CloseHandle,      ::ExitWindowsEx};
    return current;
}

}  // namespace platform
