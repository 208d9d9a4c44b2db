#pragma once
#include <windows.h>
#include <cstdint>

namespace platform {

// Calls that not every Windows the 32-bit image serves (95, 98, ME, NT 4.0,
// 2000 and on) has: each is looked up once at run time, never imported,
// and where it is missing the job is done the old way.
class CompatibleCalls {
public:
    // The NT family (NT 4.0, 2000 and on), as opposed to 95, 98 and ME,
    // which keep no access lists, have no tokens and no user SIDs.
    static bool NtFamily();
    // A function of a library this image imports (kernel32, user32,
    // advapi32), looked up by name; null where the system lacks it.
    template <class Function>
    static Function Lookup(const char* library, const char* name) {
        HMODULE module = ::GetModuleHandleA(library);
        return module ? reinterpret_cast<Function>(::GetProcAddress(module, name)) : nullptr;
    }
    // One more reference to the image this code is in: GetModuleHandleExA
    // (XP), else LoadLibraryA of the image's own path. Null when none.
    static HMODULE ReferenceToImage();
    // GetFileAttributesExA (98, NT 4.0), else FindFirstFileA on the path.
    static bool FileAttributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA& data);
    // The 64-bit size and position by the two-DWORD calls every system has.
    static bool FileSize(HANDLE file, std::uint64_t& size);
    static bool Seek(HANDLE file, std::uint64_t offset);
    // GetAncestor(GA_ROOT) (98, 2000), else up the parents while the window is a child.
    static HWND RootWindow(HWND window);
    // Asks for WM_MOUSELEAVE: TrackMouseEvent (98, NT 4.0), else the common
    // controls' _TrackMouseEvent (Internet Explorer 3 and on).
    static bool TrackMouseLeave(HWND window);
    // IsProcessorFeaturePresent (NT 4.0, 98): false where the system cannot say.
    static bool ProcessorFeature(DWORD feature);
    // TryEnterCriticalSection (NT 4.0; a stub on 95, 98 and ME): false where there is none.
    static bool TryEnter(CRITICAL_SECTION* section);
    // CreateThread with a place for the new thread's id, which Windows 95,
    // 98 and ME insist on (null there fails the call).
    static HANDLE StartThread(LPTHREAD_START_ROUTINE work, void* parameter);
    // GetSystemWindowsDirectoryA (2000, NT 4.0 Terminal Server), else GetWindowsDirectoryA.
    static UINT WINAPI SystemWindowsDirectory(LPSTR buffer, UINT size);
};

}  // namespace platform
