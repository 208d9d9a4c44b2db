#include "Restart.h"

#include "platform/system/SystemFunctions.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

namespace {
// The process's token, closed through the system function table that opened it.
struct TokenTraits : platform::NullIsNone<HANDLE> {
    static void Free(Handle h) { platform::SystemFunctions::Current().CloseHandle(h); }
};
using Token = platform::UniqueHandle<TokenTraits>;
}  // namespace

bool SetPrivilege(const std::string& name, bool enable) {
    auto& system = platform::SystemFunctions::Current();
    HANDLE opened = nullptr;
    if (!system.OpenProcessToken(system.GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                                 &opened))
        return false;  // no token: nothing to pass on or close
    Token token(opened);
    TOKEN_PRIVILEGES wanted = {};
    wanted.PrivilegeCount = 1;
    bool result = false;
    if (system.LookupPrivilegeValueA(nullptr, name.c_str(), &wanted.Privileges[0].Luid)) {
        wanted.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
        TOKEN_PRIVILEGES previous = {};
        DWORD returned = 0;
        // A partial grant reported only through the last error still counts.
        result = system.AdjustTokenPrivileges(token.Get(), FALSE, &wanted, sizeof(wanted), &previous,
                                              &returned) != FALSE;
    }
    return result;
}

bool ExitWindowsPrivileged(UINT flags) {
    if (!SetPrivilege("SeShutdownPrivilege", true)) return false;
    bool accepted = platform::SystemFunctions::Current().ExitWindowsEx(flags, 0) != FALSE;
    SetPrivilege("SeShutdownPrivilege", false);
    return accepted;
}

}  // namespace wendrik
