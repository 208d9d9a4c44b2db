#include "NativeFileView.h"

#include "SystemFunctions.h"

namespace platform {

bool NativeFileView::Wow64() {
    if constexpr (sizeof(void*) == 8) return false;
    auto& system = SystemFunctions::Current();
    BOOL wow64 = FALSE;
    return system.IsWow64Process && system.IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool NativeFileView::Windows64() { return sizeof(void*) == 8 || Wow64(); }

NativeFileView::NativeFileView(bool wanted) {
    if (!wanted || !Wow64()) return;
    auto& system = SystemFunctions::Current();
    if (!system.Wow64DisableWow64FsRedirection || !system.Wow64RevertWow64FsRedirection) {
        error_ = ERROR_PROC_NOT_FOUND;
        return;
    }
    if (!system.Wow64DisableWow64FsRedirection(&old_)) {
        error_ = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
        return;
    }
    revert_ = system.Wow64RevertWow64FsRedirection;
}

NativeFileView::~NativeFileView() {
    if (!revert_) return;
    DWORD error = GetLastError();  // the caller reads what its own call left
    revert_(old_);
    SetLastError(error);
}

}  // namespace platform
