#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>

#include "platform/SystemFunctions.h"

namespace testing_support {

// Replaces the machine-facing calls of the system function table while it
// lives: records every start of a program and plays the registry editor.
class FakeSystem {
public:
    enum class Editor {
        Writes,     // writes the export file and ends at once
        WritesNothing,
        WritesForeign,    // a file that is not an export
        WritesTruncated,  // the byte-order mark and half a header
        CannotStart,
        Pending,    // runs until Finish()
    };
    struct Start {
        HWND window;
        bool verbIsNull;
        std::string file, parameters, directory;
        int show;
    };

    // How the token calls behave: the real ones (recorded), or an adjustment
    // that Windows grants or refuses.
    enum class Privileges { Real, Grant, Refuse };

    FakeSystem();
    ~FakeSystem();
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    void SetEditor(Editor editor) { editor_ = editor; }
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

    // A drive of the faked drive table: its type, volume label (null: the
    // query fails) and network connection (null: none). A blocking drive's
    // queries wait until ReleaseBlockedQueries or ten seconds.
    struct Drive {
        char letter;  // lower case
        UINT type;
        const char* label = nullptr;
        const char* remote = nullptr;
        bool blocks = false;
    };
    // From now on the drive queries answer from `drives` instead of the machine.
    void SetDrives(const std::vector<Drive>& drives);
    // How often each drive's volume was asked for, by lower-case letter.
    static int VolumeQueries(char letter);
    static void ReleaseBlockedQueries();
    const std::vector<Start>& Starts() const { return starts_; }
    void ClearStarts() { starts_.clear(); }
    // Ends a pending editor run, writing the file first when `write`.
    void Finish(bool write);

    static FakeSystem* Active() { return active_; }

private:
    static BOOL WINAPI ShellExecuteExFake(SHELLEXECUTEINFOA* info);
    static BOOL WINAPI OpenProcessTokenFake(HANDLE process, DWORD access, HANDLE* token);
    static BOOL WINAPI LookupPrivilegeValueFake(LPCSTR system, LPCSTR name, LUID* luid);
    static BOOL WINAPI AdjustTokenPrivilegesFake(HANDLE token, BOOL all, TOKEN_PRIVILEGES* state,
                                                 DWORD length, TOKEN_PRIVILEGES* previous,
                                                 DWORD* returned);
    static BOOL WINAPI CloseHandleFake(HANDLE handle);
    static BOOL WINAPI ExitWindowsExFake(UINT flags, DWORD reason);
    static void WINAPI GetLocalTimeFake(SYSTEMTIME* time);
    static UINT WINAPI WindowsFolderFake(LPSTR buffer, UINT size);
    static DWORD WINAPI LogicalDrivesFake();
    static UINT WINAPI DriveTypeFake(LPCSTR root);
    static BOOL WINAPI VolumeFake(LPCSTR root, LPSTR name, DWORD nameSize, DWORD* serial, DWORD* maxComponent,
                                  DWORD* flags, LPSTR fileSystem, DWORD fileSystemSize);
    static DWORD WINAPI ConnectionFake(LPCSTR local, LPSTR remote, DWORD* length);
    void WriteExport(const Start& start);

    Editor editor_ = Editor::Writes;
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
    HANDLE pending_ = nullptr;
    static inline FakeSystem* active_ = nullptr;
};

// The text a real export starts with.
inline const char kExportHeader[] = "Windows Registry Editor Version 5.00";

}  // namespace testing_support
