#pragma once
#include <windows.h>
#include <string>

namespace platform {

// A program started through the shell's default verb.
struct ProgramStart {
    HWND window = nullptr;  // owner of any message the shell shows
    std::string file;
    std::string parameters;
    std::string directory;
    int show = SW_SHOW;
    // A program of the system's Windows folder that must be its own, not the
    // 32-bit copy that WOW64 would start for this 32-bit process.
    bool native = false;
};

// Starts the program without the shell's own error boxes, through the
// replaceable system functions. With `process` the caller gets the process
// to wait on and must close it (null when the shell gave none). False when
// it could not be started; GetLastError() then says why.
bool StartProgram(const ProgramStart& start, HANDLE* process = nullptr);

// The system's Windows folder (never a per-user one), without a trailing
// backslash; "" when the system cannot say.
std::string SystemWindowsFolder();

}  // namespace platform
