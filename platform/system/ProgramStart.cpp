#include "ProgramStart.h"

#include <shellapi.h>

#include "NativeFileView.h"
#include "SystemFunctions.h"

namespace platform {

bool StartProgram(const ProgramStart& start, HANDLE* process) {
    SHELLEXECUTEINFOA info = {sizeof(info)};
    info.fMask = SEE_MASK_FLAG_NO_UI | (process ? SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC : 0);
    info.hwnd = start.window;
    info.lpVerb = nullptr;
    info.lpFile = start.file.c_str();
    info.lpParameters = start.parameters.c_str();
    info.lpDirectory = start.directory.c_str();
    info.nShow = start.show;
    if (process) *process = nullptr;
    BOOL started;
    // Loaded now, with the system folders as this process sees them.
    SystemFunctions::Preload("shell32.dll");
    {
        // Redirection off for this one call only: nothing else may run without it.
        NativeFileView view(start.native);
        if (!view.Ok()) {
            SetLastError(view.Error());
            return false;
        }
        started = SystemFunctions::Current().ShellExecuteExA(&info);
    }
    if (!started) return false;
    if (process) *process = info.hProcess;
    return true;
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
