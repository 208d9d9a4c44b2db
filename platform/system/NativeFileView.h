#pragma once
#include <windows.h>

namespace platform {

// A 32-bit process on 64-bit Windows (WOW64) has its paths into the
// system's folders redirected to their 32-bit copies: %windir%\regedit.exe
// starts the 32-bit registry editor, which sees only the 32-bit view of
// HKEY_LOCAL_MACHINE\SOFTWARE. While an object lives, the thread that made
// it sees the native files; elsewhere it does nothing. Keep its life to the
// one call that needs it: the system loads DLLs through the same redirection.
class [[nodiscard]] NativeFileView {
public:
    // `wanted` false: does nothing (so that a caller needs no branch).
    explicit NativeFileView(bool wanted = true);
    ~NativeFileView();
    NativeFileView(const NativeFileView&) = delete;
    NativeFileView& operator=(const NativeFileView&) = delete;

    // False when redirection was wanted off but could not be turned off;
    // Error() then says why.
    bool Ok() const { return error_ == 0; }
    DWORD Error() const { return error_; }

    // True when this process is a 32-bit one on 64-bit Windows. A 64-bit
    // process is native: nothing is redirected for it.
    static bool Wow64();
    // True on 64-bit Windows, whether this process is native or under WOW64.
    static bool Windows64();

private:
    void* old_ = nullptr;
    BOOL(WINAPI* revert_)(void* old) = nullptr;  // set while redirection is off
    DWORD error_ = 0;
};

}  // namespace platform
