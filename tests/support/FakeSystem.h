#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>

#include "FakeDrives.h"
#include "platform/system/CriticalSection.h"
#include "platform/system/SystemFunctions.h"

namespace testing_support {

// Replaces the machine-facing calls of the system function table while it
// lives: records every start of a program and plays the registry editor.
class FakeSystem {
public:
    enum class Editor {
        Writes,     // writes a whole export file (both views of the registry) and ends at once
        WritesNothing,
        WritesForeign,    // a file that is not an export
        WritesTruncated,  // the byte-order mark and half a header
        WritesHeaderOnly, // the header and a blank line, then nothing
        Writes32BitView,  // whole, but without the keys only the 64-bit view holds
        WritesCutInUsers, // stops after a whole line inside the user's hive, and ends with code 0
        CannotStart,
        Declined,   // asks for elevation, and the user declines the prompt: ERROR_CANCELLED
        Elevates,   // asks for elevation, is started through the prompt and writes a whole export
        Raises,     // the start raises a structured exception (an access violation)
        Pending,    // runs until Finish()
        Real,       // the system's CreateProcessA: a real program runs
    };
    struct Start {
        HWND window;
        bool verbIsNull;
        std::string file, parameters, directory;
        int show;
        bool redirectionOff;  // file-system redirection was off for the starting thread
        bool process;         // by CreateProcessA (else by the shell)
        std::string verb;     // the shell's verb, "" for its default
        DWORD thread;         // the starting thread
        int cursor;           // the screen cursor at the start
    };

    // How the token calls behave: the real ones (recorded), or an adjustment
    // that Windows grants or refuses.
    enum class Privileges { Real, Grant, Refuse };

    FakeSystem();
    ~FakeSystem();
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    void SetEditor(Editor editor) { editor_ = editor; }
    // What the played editor's process ends with (0: a whole export).
    void SetExitCode(DWORD code) { exitCode_ = code; }
    // Whether this process runs as an administrator, as the system answers it.
    void SetAdministrator(bool administrator);
    void SetPrivileges(Privileges p) { privileges_ = p; }
    void SetExitResult(bool accepted) { exitAccepted_ = accepted; }
    // The token and exit calls made, in order, for example
    // "OpenProcessToken 40", "AdjustTokenPrivileges 2 16", "ExitWindowsEx 2", "CloseHandle".
    const std::vector<std::string>& Calls() const { return calls_; }
    // Tokens opened and not yet closed.
    int OpenTokens() const { return openTokens_; }
    void SetDate(WORD year, WORD month, WORD day);
    // What GetSystemWindowsDirectoryA answers; "" makes it fail.
    void SetWindowsFolder(const std::string& folder);

    // The faked drive table and the hanging paths (FakeDrives), from now on.
    using Drive = FakeDrives::Drive;
    void SetDrives(const std::vector<Drive>& drives) { FakeDrives::Set(drives); }
    void SetHangingPath(const std::string& prefix) { FakeDrives::SetHangingPath(prefix); }
    static int VolumeQueries(char letter) { return FakeDrives::VolumeQueries(letter); }
    static void ReleaseBlockedQueries() { FakeDrives::ReleaseBlockedQueries(); }
    static int HangingCalls() { return FakeDrives::HangingCalls(); }
    const std::vector<Start>& Starts() const { return starts_; }
    void ClearStarts() { starts_.clear(); }
    // Ends a pending editor run, writing the file first when `write`.
    void Finish(bool write);
    // Whether a pending editor run has started and not yet been finished.
    bool EditorRunning();

    // Ends the last program started for real (Editor::Real) with `code`, by
    // its own process handle, as a user ends it; false when none was started.
    bool EndRealProcess(UINT code);
    // From now on no new file can be made under `prefix` (case ignored): the disk is full.
    void SetDiskFull(const std::string& prefix);
    // From now on writing a file through to the disk fails (ERROR_WRITE_FAULT), as a failing disk does.
    void SetFlushRefused(bool refused);

    static FakeSystem* Active() { return active_; }
    // The bytes the played editor writes for `editor`.
    static std::string ExportText(Editor editor);

    // From now on the process answers IsWow64Process with `wow64`, and the
    // redirection calls are played: recorded in order ("off 1234", "on 1234",
    // with the calling thread's id), failing to turn off when `refuseOff`.
    void SetWow64(bool wow64, bool refuseOff = false);
    const std::vector<std::string>& Redirections() const { return redirections_; }
    bool RedirectionOff() const { return redirectionOff_; }

private:
    static BOOL WINAPI ShellExecuteExFake(SHELLEXECUTEINFOA* info);
    static BOOL WINAPI CreateProcessFake(LPCSTR application, LPSTR commandLine, SECURITY_ATTRIBUTES*,
                                         SECURITY_ATTRIBUTES*, BOOL inherit, DWORD flags, void* environment,
                                         LPCSTR directory, STARTUPINFOA* startup, PROCESS_INFORMATION* info);
    static BOOL WINAPI ExitCodeFake(HANDLE process, DWORD* code);
    static BOOL WINAPI MembershipFake(HANDLE token, PSID sid, BOOL* member);
    // A process handle to wait on: an event, set now or by Finish().
    HANDLE PlayedProcess();
    static BOOL WINAPI OpenProcessTokenFake(HANDLE process, DWORD access, HANDLE* token);
    static BOOL WINAPI LookupPrivilegeValueFake(LPCSTR system, LPCSTR name, LUID* luid);
    static BOOL WINAPI AdjustTokenPrivilegesFake(HANDLE token, BOOL all, TOKEN_PRIVILEGES* state,
                                                 DWORD length, TOKEN_PRIVILEGES* previous,
                                                 DWORD* returned);
    static BOOL WINAPI CloseHandleFake(HANDLE handle);
    static BOOL WINAPI ExitWindowsExFake(UINT flags, DWORD reason);
    static void WINAPI GetLocalTimeFake(SYSTEMTIME* time);
    static UINT WINAPI WindowsFolderFake(LPSTR buffer, UINT size);
    static BOOL WINAPI IsWow64Fake(HANDLE process, BOOL* wow64);
    static BOOL WINAPI RedirectionOffFake(void** old);
    static BOOL WINAPI RedirectionOnFake(void* old);
    static BOOL WINAPI FlushRefused(HANDLE file);
    static HANDLE WINAPI CreateFileFake(LPCSTR path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                                        DWORD disposition, DWORD flags, HANDLE templateFile);
    std::string fullPrefix_;
    std::vector<HANDLE> realProcesses_;  // guarded by pendingLock_
    void WriteExport(const Start& start);

    Editor editor_ = Editor::Writes;
    DWORD exitCode_ = 0;
    bool administrator_ = true;
    std::vector<HANDLE> played_;  // the process handles given out
    std::string windowsFolder_;
    bool fixedWindowsFolder_ = false;
    Privileges privileges_ = Privileges::Real;
    bool exitAccepted_ = false;
    std::vector<std::string> calls_;
    std::vector<HANDLE> tokens_;
    int openTokens_ = 0;
    platform::SystemFunctions saved_;
    SYSTEMTIME now_;
    bool fixedDate_ = false;
    std::vector<Start> starts_;
    std::vector<HANDLE> events_;
    HANDLE pending_ = nullptr;      // guarded by pendingLock_
    platform::CriticalSection pendingLock_;
    bool wow64_ = false;
    bool refuseOff_ = false;
    bool redirectionOff_ = false;
    std::vector<std::string> redirections_;
    static inline FakeSystem* active_ = nullptr;
};

// The text a real export starts with.
inline const char kExportHeader[] = "Windows Registry Editor Version 5.00";

}  // namespace testing_support
