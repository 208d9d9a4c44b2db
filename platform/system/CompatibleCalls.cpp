#include "CompatibleCalls.h"

#include <commctrl.h>

#include "Application.h"
#include "SystemFunctions.h"

namespace platform {

namespace {
using ModuleHandleExFn = BOOL(WINAPI*)(DWORD, LPCSTR, HMODULE*);
using AttributesExFn = BOOL(WINAPI*)(LPCSTR, GET_FILEEX_INFO_LEVELS, void*);
using AncestorFn = HWND(WINAPI*)(HWND, UINT);
using TrackFn = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
using FeatureFn = BOOL(WINAPI*)(DWORD);
using TryEnterFn = BOOL(WINAPI*)(CRITICAL_SECTION*);
using WindowsFolderFn = UINT(WINAPI*)(LPSTR, UINT);
}  // namespace

bool CompatibleCalls::NtFamily() { return GetVersion() < 0x80000000; }

HMODULE CompatibleCalls::ReferenceToImage() {
    static const auto byAddress = CompatibleCalls::Lookup<ModuleHandleExFn>("kernel32.dll", "GetModuleHandleExA");
    HMODULE self = nullptr;
    if (byAddress) {
        constexpr DWORD kFromAddress = 0x4;  // GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
        return byAddress(kFromAddress, reinterpret_cast<LPCSTR>(Application::Instance()), &self) ? self : nullptr;
    }
    // The loader counts a load of a mapped image by its own path as one more reference.
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(Application::Instance(), path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? LoadLibraryA(path) : nullptr;
}

bool CompatibleCalls::FileAttributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    static const auto attributesEx = CompatibleCalls::Lookup<AttributesExFn>("kernel32.dll", "GetFileAttributesExA");
    if (attributesEx) return attributesEx(path, GetFileExInfoStandard, &data) != FALSE;
    // Windows 95: the search gives the same facts (a pattern character would match more: refused).
    for (const char* c = path; *c; ++c)
        if (*c == '*' || *c == '?') {
            SetLastError(ERROR_INVALID_NAME);
            return false;
        }
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path, &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    data.dwFileAttributes = found.dwFileAttributes;
    data.ftCreationTime = found.ftCreationTime;
    data.ftLastAccessTime = found.ftLastAccessTime;
    data.ftLastWriteTime = found.ftLastWriteTime;
    data.nFileSizeHigh = found.nFileSizeHigh;
    data.nFileSizeLow = found.nFileSizeLow;
    return true;
}

bool CompatibleCalls::FileSize(HANDLE file, std::uint64_t& size) {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    size = static_cast<std::uint64_t>(high) << 32 | low;
    return true;
}

bool CompatibleCalls::Seek(HANDLE file, std::uint64_t offset) {
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

HWND CompatibleCalls::RootWindow(HWND window) {
    static const auto ancestor = CompatibleCalls::Lookup<AncestorFn>("user32.dll", "GetAncestor");
    if (ancestor) return ancestor(window, GA_ROOT);
    while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
    return window;
}

bool CompatibleCalls::TrackMouseLeave(HWND window) {
    static const auto track = CompatibleCalls::Lookup<TrackFn>("user32.dll", "TrackMouseEvent");
    TRACKMOUSEEVENT request = {sizeof(request), TME_LEAVE, window, 0};
    if (track) return track(&request) != FALSE;
    return SystemFunctions::Current().TrackMouseEventInCommonControls(&request) != FALSE;
}

bool CompatibleCalls::ProcessorFeature(DWORD feature) {
    static const auto present = CompatibleCalls::Lookup<FeatureFn>("kernel32.dll", "IsProcessorFeaturePresent");
    return present && present(feature);
}

bool CompatibleCalls::TryEnter(CRITICAL_SECTION* section) {
    static const auto tryEnter = NtFamily() ? CompatibleCalls::Lookup<TryEnterFn>("kernel32.dll", "TryEnterCriticalSection") : nullptr;
    return tryEnter && tryEnter(section);
}

HANDLE CompatibleCalls::StartThread(LPTHREAD_START_ROUTINE work, void* parameter) {
    DWORD id = 0;
    return CreateThread(nullptr, 0, work, parameter, 0, &id);
}

UINT WINAPI CompatibleCalls::SystemWindowsDirectory(LPSTR buffer, UINT size) {
    static const auto systemFolder = CompatibleCalls::Lookup<WindowsFolderFn>("kernel32.dll", "GetSystemWindowsDirectoryA");
    return systemFolder ? systemFolder(buffer, size) : GetWindowsDirectoryA(buffer, size);
}

}  // namespace platform
