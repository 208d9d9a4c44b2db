#include "ProgramStart.h"

#include <shellapi.h>
#include <objbase.h>

#include <vector>

#include "CompatibleCalls.h"
#include "NativeFileView.h"
#include "SecurityCalls.h"
#include "SystemFunctions.h"

namespace platform {

bool StartProgram(const ProgramStart& start) {
    SHELLEXECUTEINFOA info = {sizeof(info)};
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = start.window;
    info.lpVerb = nullptr;
    info.lpFile = start.file.c_str();
    info.lpParameters = start.parameters.c_str();
    info.lpDirectory = start.directory.c_str();
    info.nShow = start.show;
    return SystemFunctions::Current().ShellExecuteExA(&info) != FALSE;
}

namespace {
constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED, which these headers lack

// The elevated start: the shell asks the user, and the elevation service
// starts the program. The process handle comes back also from there.
bool StartElevated(const ProgramStart& start, StartedProcess& started) {
    auto& system = SystemFunctions::Current();
    HRESULT com = system.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOA info = {sizeof(info)};
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.hwnd = start.window;
    info.lpVerb = "runas";
    info.lpFile = start.file.c_str();
    info.lpParameters = start.parameters.c_str();
    info.lpDirectory = start.directory.c_str();
    info.nShow = start.show;
    bool ok = system.ShellExecuteExA(&info) != FALSE;
    started.error = ok ? 0 : GetLastError();
    if (SUCCEEDED(com)) system.CoUninitialize();
    if (!ok) return false;
    started.process.Reset(info.hProcess);
    started.elevated = true;
    return true;
}
}  // namespace

bool StartProcess(const ProgramStart& start, StartedProcess& started) {
    started = StartedProcess{};
    std::string line = "\"" + start.file + "\"";
    if (!start.parameters.empty()) line += " " + start.parameters;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(start.show);
    PROCESS_INFORMATION info = {};
    BOOL ok;
    {
        // Redirection off for this one call only: nothing else may run without it.
        NativeFileView view(start.native);
        if (!view.Ok()) {
            started.error = view.Error();
            return false;
        }
        ok = SystemFunctions::Current().CreateProcessA(
            start.file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            start.directory.empty() ? nullptr : start.directory.c_str(), &startup, &info);
        if (!ok) started.error = GetLastError();
    }
    if (ok) {
        KernelHandle thread(info.hThread);
        started.process.Reset(info.hProcess);
        return true;
    }
    if (started.error != kElevationRequired) return false;
    return StartElevated(start, started);
}

bool RunsAsAdministrator() {
    // Windows 95, 98 and ME hold nothing back from anyone.
    if (!CompatibleCalls::NtFamily()) return true;
    const SecurityCalls& security = SecurityCalls::Get();
    if (!security.AllocateAndInitializeSid || !security.FreeSid) return false;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!security.AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                           0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    BOOL asked = SystemFunctions::Current().CheckTokenMembership(nullptr, administrators, &member);
    security.FreeSid(administrators);
    return asked && member;
}

std::string SystemWindowsFolder() {
    char folder[MAX_PATH] = {};
    UINT n = SystemFunctions::Current().GetSystemWindowsDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return "";  // unknown, or too long to have been given whole
    std::string result(folder, n);
    if (result.back() == '\\') result.pop_back();  // "C:\" for a system in a drive's root
    return result;
}

}  // namespace platform
