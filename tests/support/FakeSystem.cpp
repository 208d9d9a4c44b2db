#include "FakeSystem.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "filectrl/PathHelpers.h"
#include "module/ExportFileCheck.h"
#include "platform/drawing/Screen.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"

namespace testing_support {

FakeSystem::FakeSystem() : saved_(platform::SystemFunctions::Current()) {
    GetLocalTime(&now_);
    active_ = this;
    auto& table = platform::SystemFunctions::Current();
    table.ShellExecuteExA = ShellExecuteExFake;
    table.CreateProcessA = CreateProcessFake;
    table.GetExitCodeProcess = ExitCodeFake;
    table.GetLocalTime = GetLocalTimeFake;
    table.GetSystemWindowsDirectoryA = WindowsFolderFake;
    table.OpenProcessToken = OpenProcessTokenFake;
    table.LookupPrivilegeValueA = LookupPrivilegeValueFake;
    table.AdjustTokenPrivileges = AdjustTokenPrivilegesFake;
    table.CloseHandle = CloseHandleFake;
    table.ExitWindowsEx = ExitWindowsExFake;
}

FakeSystem::~FakeSystem() {
    platform::SystemFunctions::Current() = saved_;
    active_ = nullptr;
    for (HANDLE e : events_) CloseHandle(e);
    for (HANDLE p : realProcesses_) CloseHandle(p);
}

void FakeSystem::SetDate(WORD year, WORD month, WORD day) {
    now_.wYear = year, now_.wMonth = month, now_.wDay = day;
    fixedDate_ = true;
}

void FakeSystem::SetWindowsFolder(const std::string& folder) {
    windowsFolder_ = folder;
    fixedWindowsFolder_ = true;
}

UINT WINAPI FakeSystem::WindowsFolderFake(LPSTR buffer, UINT size) {
    if (!active_->fixedWindowsFolder_) return GetSystemWindowsDirectoryA(buffer, size);
    const std::string& folder = active_->windowsFolder_;
    if (folder.empty() || folder.size() + 1 > size) return 0;
    lstrcpyA(buffer, folder.c_str());
    return static_cast<UINT>(folder.size());
}

void WINAPI FakeSystem::GetLocalTimeFake(SYSTEMTIME* time) {
    if (active_->fixedDate_) *time = active_->now_;
    else GetLocalTime(time);
}

void FakeSystem::WriteExport(const Start& start) {
    if (start.parameters.rfind("/E ", 0) != 0) return;  // only an export writes a file
    if (editor_ == Editor::WritesNothing) return;
    // "/E file": the page gives the full path, quoted.
    std::string name = start.parameters.substr(3);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    const bool absolute = (name.size() > 1 && name[1] == ':') || name.rfind("\\\\", 0) == 0;
    std::string path = absolute ? name : wendrik::JoinPath(start.directory, name);
    const std::string text = ExportText(editor_);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

std::string FakeSystem::ExportText(Editor editor) {
    const std::string users = "[HKEY_USERS\\" + wendrik::ExportFileCheck::CurrentUserSid() + "\\Software]\r\n";
    // As the registry editor writes it: UTF-16LE after a byte-order mark.
    std::string ascii = std::string(kExportHeader) + "\r\n\r\n";
    if (editor != Editor::WritesHeaderOnly && editor != Editor::WritesTruncated) {
        ascii += "[HKEY_LOCAL_MACHINE]\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\"Name\"=\"[not a key]\"\r\n\r\n";
        if (editor != Editor::Writes32BitView) ascii += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node]\r\n\r\n";
        ascii += "[HKEY_CURRENT_USER]\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_USERS]\r\n\r\n" + users +
                 "\"a\"=\"b\"\r\n";
        if (editor != Editor::WritesCutInUsers) ascii += "\r\n";
    }
    std::string text = "\xFF\xFE";
    for (char c : ascii) text += std::string{c, '\0'};
    if (editor == Editor::WritesForeign) text = "just some text";
    if (editor == Editor::WritesTruncated) text.resize(20);
    return text;
}

HANDLE FakeSystem::PlayedProcess() {
    platform::CriticalSection::Lock locked(pendingLock_);
    const bool running = editor_ == Editor::Pending;
    // The caller waits on the handle and closes it: give it a duplicate.
    HANDLE event = CreateEventA(nullptr, TRUE, running ? FALSE : TRUE, nullptr);
    events_.push_back(event);
    if (running) pending_ = event;
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    played_.push_back(copy);
    return copy;
}

BOOL WINAPI FakeSystem::ShellExecuteExFake(SHELLEXECUTEINFOA* info) {
    FakeSystem* self = active_;
    Start start{info->hwnd, info->lpVerb == nullptr, info->lpFile ? info->lpFile : "",
                info->lpParameters ? info->lpParameters : "",
                info->lpDirectory ? info->lpDirectory : "", info->nShow, self->redirectionOff_,
                false, info->lpVerb ? info->lpVerb : "", GetCurrentThreadId(), platform::Screen::Cursor()};
    self->starts_.push_back(start);
    const bool elevated = start.verb == "runas";
    if (self->editor_ == Editor::CannotStart || (self->editor_ == Editor::Declined && elevated)) {
        SetLastError(self->editor_ == Editor::Declined ? ERROR_CANCELLED : ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (self->editor_ != Editor::Pending) self->WriteExport(start);
    HANDLE process = self->PlayedProcess();
    info->hProcess = (info->fMask & SEE_MASK_NOCLOSEPROCESS) ? process : nullptr;
    if (!info->hProcess) CloseHandle(process);
    return TRUE;
}

BOOL WINAPI FakeSystem::CreateProcessFake(LPCSTR application, LPSTR commandLine, SECURITY_ATTRIBUTES* pa,
                                          SECURITY_ATTRIBUTES* ta, BOOL inherit, DWORD flags, void* environment,
                                          LPCSTR directory, STARTUPINFOA* startup, PROCESS_INFORMATION* info) {
    FakeSystem* self = active_;
    if (self->editor_ == Editor::Real) {
        if (!CreateProcessA(application, commandLine, pa, ta, inherit, flags, environment, directory, startup, info))
            return FALSE;
        HANDLE copy = nullptr;  // kept, so that a test can end the real editor by its own handle
        DuplicateHandle(GetCurrentProcess(), info->hProcess, GetCurrentProcess(), &copy, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        platform::CriticalSection::Lock locked(self->pendingLock_);
        self->realProcesses_.push_back(copy);
        return TRUE;
    }
    // The command line as the page builds it: the quoted program, then its parameters.
    std::string line = commandLine ? commandLine : "";
    std::string file, parameters;
    if (line.size() > 1 && line[0] == '"' && line.find('"', 1) != std::string::npos) {
        size_t close = line.find('"', 1);
        file = line.substr(1, close - 1);
        parameters = close + 2 <= line.size() ? line.substr(close + 2) : "";
    }
    Start start{nullptr, true, file, parameters, directory ? directory : "",
                (startup->dwFlags & STARTF_USESHOWWINDOW) ? startup->wShowWindow : -1, self->redirectionOff_,
                true, "", GetCurrentThreadId(), platform::Screen::Cursor()};
    if (!application || file != application) start.file = "application and command line differ";
    self->starts_.push_back(start);
    switch (self->editor_) {
    case Editor::Raises: RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr); return FALSE;
    case Editor::CannotStart: SetLastError(ERROR_FILE_NOT_FOUND); return FALSE;
    case Editor::Declined:
    case Editor::Elevates: SetLastError(740); return FALSE;  // ERROR_ELEVATION_REQUIRED
    case Editor::Pending: break;
    default: self->WriteExport(start);
    }
    *info = PROCESS_INFORMATION{};
    info->hProcess = self->PlayedProcess();
    DuplicateHandle(GetCurrentProcess(), info->hProcess, GetCurrentProcess(), &info->hThread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return TRUE;
}

BOOL WINAPI FakeSystem::ExitCodeFake(HANDLE process, DWORD* code) {
    FakeSystem* self = active_;
    if (self->editor_ == Editor::Real ||
        std::find(self->played_.begin(), self->played_.end(), process) == self->played_.end())
        return GetExitCodeProcess(process, code);
    *code = WaitForSingleObject(process, 0) == WAIT_OBJECT_0 ? self->exitCode_ : STILL_ACTIVE;
    return TRUE;
}

void FakeSystem::SetAdministrator(bool administrator) {
    administrator_ = administrator;
    platform::SystemFunctions::Current().CheckTokenMembership = MembershipFake;
}

BOOL WINAPI FakeSystem::MembershipFake(HANDLE, PSID, BOOL* member) {
    *member = active_->administrator_;
    return TRUE;
}

void FakeSystem::SetWow64(bool wow64, bool refuseOff) {
    wow64_ = wow64;
    refuseOff_ = refuseOff;
    auto& table = platform::SystemFunctions::Current();
    table.IsWow64Process = IsWow64Fake;
    table.Wow64DisableWow64FsRedirection = RedirectionOffFake;
    table.Wow64RevertWow64FsRedirection = RedirectionOnFake;
}

BOOL WINAPI FakeSystem::IsWow64Fake(HANDLE, BOOL* wow64) {
    *wow64 = active_->wow64_;
    return TRUE;
}

BOOL WINAPI FakeSystem::RedirectionOffFake(void** old) {
    FakeSystem* self = active_;
    self->redirections_.push_back("off " + std::to_string(GetCurrentThreadId()));
    if (self->refuseOff_) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *old = reinterpret_cast<void*>(1);
    self->redirectionOff_ = true;
    return TRUE;
}

BOOL WINAPI FakeSystem::RedirectionOnFake(void* old) {
    FakeSystem* self = active_;
    self->redirections_.push_back("on " + std::to_string(GetCurrentThreadId()) +
                                  (old == reinterpret_cast<void*>(1) ? "" : " with a foreign value"));
    self->redirectionOff_ = false;
    return TRUE;
}

bool FakeSystem::EndRealProcess(UINT code) {
    platform::CriticalSection::Lock locked(pendingLock_);
    return !realProcesses_.empty() && TerminateProcess(realProcesses_.back(), code);
}

void FakeSystem::SetDiskFull(const std::string& prefix) {
    fullPrefix_ = prefix;
    platform::SystemFunctions::Current().CreateFileA = CreateFileFake;
}

HANDLE WINAPI FakeSystem::CreateFileFake(LPCSTR path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                                         DWORD disposition, DWORD flags, HANDLE templateFile) {
    const std::string& full = active_->fullPrefix_;
    if (disposition == CREATE_NEW && std::string(path).size() >= full.size() &&
        lstrcmpiA(std::string(path).substr(0, full.size()).c_str(), full.c_str()) == 0) {
        SetLastError(ERROR_DISK_FULL);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(path, access, share, security, disposition, flags, templateFile);
}

void FakeSystem::SetFlushRefused(bool refused) {
    platform::SystemFunctions::Current().FlushFileBuffers = refused ? FlushRefused : saved_.FlushFileBuffers;
}

BOOL WINAPI FakeSystem::FlushRefused(HANDLE) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

bool FakeSystem::EditorRunning() {
    platform::CriticalSection::Lock locked(pendingLock_);
    return pending_ != nullptr;
}

void FakeSystem::Finish(bool write) {
    platform::CriticalSection::Lock locked(pendingLock_);
    if (!pending_) return;  // nothing runs: the tests wait for EditorRunning() first
    if (write && !starts_.empty()) WriteExport(starts_.back());
    SetEvent(pending_);
    pending_ = nullptr;
}

}  // namespace testing_support

namespace testing_support {

BOOL WINAPI FakeSystem::OpenProcessTokenFake(HANDLE process, DWORD access, HANDLE* token) {
    active_->calls_.push_back("OpenProcessToken " + std::to_string(access));
    BOOL ok = OpenProcessToken(process, access, token);
    if (ok) {
        active_->tokens_.push_back(*token);
        ++active_->openTokens_;
    }
    return ok;
}

BOOL WINAPI FakeSystem::LookupPrivilegeValueFake(LPCSTR system, LPCSTR name, LUID* luid) {
    active_->calls_.push_back(std::string("LookupPrivilegeValueA ") + name +
                              (system ? " remote" : ""));
    return LookupPrivilegeValueA(system, name, luid);
}

BOOL WINAPI FakeSystem::AdjustTokenPrivilegesFake(HANDLE token, BOOL all, TOKEN_PRIVILEGES* state,
                                                  DWORD length, TOKEN_PRIVILEGES* previous,
                                                  DWORD* returned) {
    active_->calls_.push_back("AdjustTokenPrivileges " +
                              std::to_string(state->Privileges[0].Attributes) + " " +
                              std::to_string(length) + (all ? " all" : ""));
    switch (active_->privileges_) {
    case Privileges::Grant: return TRUE;
    case Privileges::Refuse: SetLastError(ERROR_ACCESS_DENIED); return FALSE;
    default: return AdjustTokenPrivileges(token, all, state, length, previous, returned);
    }
}

BOOL WINAPI FakeSystem::CloseHandleFake(HANDLE handle) {
    auto& tokens = active_->tokens_;
    auto it = std::find(tokens.begin(), tokens.end(), handle);
    if (it != tokens.end()) {
        tokens.erase(it);
        --active_->openTokens_;
        active_->calls_.push_back("CloseHandle");
    }
    return CloseHandle(handle);
}

BOOL WINAPI FakeSystem::ExitWindowsExFake(UINT flags, DWORD) {
    active_->calls_.push_back("ExitWindowsEx " + std::to_string(flags));
    return active_->exitAccepted_ ? TRUE : FALSE;
}

}  // namespace testing_support
