#pragma once
#include <windows.h>
#include <string>

#include "UniqueHandle.h"

namespace platform {

// A program started through the shell's default verb.
struct ProgramStart {
    HWND window = nullptr;  // owner of any message the shell shows
    std::string file;
    std::string parameters;
    std::string directory;
    int show = SW_SHOW;
    // For StartProcess: a program of the system's Windows folder that must be
    // its own, not the 32-bit copy that WOW64 would start for this 32-bit process.
    bool native = false;
};

// Starts the program through the shell's default verb, without the shell's
// own error boxes, through the replaceable system functions. False when it
// could not be started; GetLastError() then says why.
bool StartProgram(const ProgramStart& start);

// What StartProcess gives back.
struct StartedProcess {
    KernelHandle process;   // to wait on; none when the start failed
    DWORD error = 0;        // why it failed; ERROR_CANCELLED: the user declined the elevation prompt
    bool elevated = false;  // started through the elevation prompt, with administrator rights
};

// Starts `start.file` (quoted) with `start.parameters` as a process of its
// own in `start.directory`. With `native`, file-system redirection is off
// for the one CreateProcessA call alone: everything else the thread does
// (the system loads DLLs through the same redirection) sees the usual view.
// When the program asks for administrator rights (ERROR_ELEVATION_REQUIRED),
// it is started through the shell's "runas" verb, COM initialised, with
// `start.window` owning the prompt: the elevation service starts the
// system's own program whatever this process's view. Run it on a thread of
// its own, never a window's: the prompt waits for the user, and the shell
// loads extensions. True when started.
bool StartProcess(const ProgramStart& start, StartedProcess& started);

// True when this process runs with the administrators' rights: not a
// limited user, nor one whose rights UAC has filtered. False also when the
// system cannot say.
bool RunsAsAdministrator();

// The system's Windows folder (never a per-user one), without a trailing
// backslash; "" when the system cannot say.
std::string SystemWindowsFolder();

}  // namespace platform
