#include "FakeSystem.h"

#include <cstdio>

#include "platform/SystemFunctions.h"

namespace testing_support {

FakeSystem::FakeSystem() {
    GetLocalTime(&now_);
    active_ = this;
    auto& table = platform::SystemFunctions::Current();
    table.ShellExecuteExA = ShellExecuteExFake;
    table.GetLocalTime = GetLocalTimeFake;
}

FakeSystem::~FakeSystem() {
    platform::SystemFunctions::Restore();
    active_ = nullptr;
    for (HANDLE e : events_) CloseHandle(e);
}

void FakeSystem::SetDate(WORD year, WORD month, WORD day) {
    now_.wYear = year, now_.wMonth = month, now_.wDay = day;
    fixedDate_ = true;
}

void WINAPI FakeSystem::GetLocalTimeFake(SYSTEMTIME* time) {
    if (active_->fixedDate_) *time = active_->now_;
    else GetLocalTime(time);
}

void FakeSystem::WriteExport(const Start& start) {
    std::string name = start.parameters.substr(3);  // after "/E "
    std::string path = start.directory + (start.directory.back() == '\\' ? "" : "\\") + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fprintf(f, "%s\r\n", kExportHeader);
        std::fclose(f);
    }
}

BOOL WINAPI FakeSystem::ShellExecuteExFake(SHELLEXECUTEINFOA* info) {
    FakeSystem* self = active_;
    Start start{info->hwnd, info->lpVerb == nullptr, info->lpFile ? info->lpFile : "",
                info->lpParameters ? info->lpParameters : "",
                info->lpDirectory ? info->lpDirectory : "", info->nShow};
    self->starts_.push_back(start);
    if (self->editor_ == Editor::CannotStart) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (self->editor_ == Editor::Writes) self->WriteExport(start);
    bool running = self->editor_ == Editor::Pending;
    // The caller waits on the handle and closes it: give it a duplicate.
    HANDLE event = CreateEventA(nullptr, TRUE, running ? FALSE : TRUE, nullptr);
    self->events_.push_back(event);
    if (running) self->pending_ = event;
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    info->hProcess = (info->fMask & SEE_MASK_NOCLOSEPROCESS) ? copy : nullptr;
    if (!info->hProcess) CloseHandle(copy);
    return TRUE;
}

void FakeSystem::Finish(bool write) {
    if (!pending_) return;
    if (write && !starts_.empty()) WriteExport(starts_.back());
    SetEvent(pending_);
    pending_ = nullptr;
}

}  // namespace testing_support
