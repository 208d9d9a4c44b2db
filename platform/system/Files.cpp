#include "Files.h"

#include <vector>

#include "CompatibleCalls.h"
#include "InOutError.h"
#include "Text.h"

namespace platform {

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool LastWriteTime(const std::string& path, FILETIME& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!CompatibleCalls::FileAttributes(path.c_str(), data)) return false;
    time = data.ftLastWriteTime;
    return true;
}

bool FileDate(const std::string& path, SYSTEMTIME& localTime) {
    FILETIME written, local;
    return LastWriteTime(path, written) && FileTimeToLocalFileTime(&written, &local) &&
           FileTimeToSystemTime(&local, &localTime);
}

void ChDir(const std::string& dir) {
    if (dir.empty() || !SetCurrentDirectoryA(dir.c_str())) {
        const DWORD code = dir.empty() ? ERROR_PATH_NOT_FOUND : GetLastError();
        SetLastError(code);
        throw InOutError("I/O error " + std::to_string(code), code);
    }
}

namespace {
// '?' is what the system puts for a character outside the code page; it is
// never part of a real name, nor a trail byte of a double-byte one.
bool Unshowable(const std::string& name) { return name.find('?') != std::string::npos; }

// `wide` in the code page; `lossy` when a character had no place in it.
std::string Narrow(const std::wstring& wide, bool& lossy) {
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr,
                                0, nullptr, &usedDefault);
    std::string text(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                            nullptr, &usedDefault);
    lossy = usedDefault != FALSE;
    return text;
}

// The short (8.3) name of the last name of `path`, exactly that folder's:
// "" when it has none.
std::wstring ShortNameOf(const std::wstring& path) {
    using ShortPathFn = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
    static const auto shortPathOf = CompatibleCalls::NtFamily()
                                        ? CompatibleCalls::Lookup<ShortPathFn>("kernel32.dll", "GetShortPathNameW")
                                        : nullptr;
    if (!shortPathOf) return L"";
    DWORD n = shortPathOf(path.c_str(), nullptr, 0);
    if (n == 0) return L"";
    std::wstring shortPath(n, L'\0');
    n = shortPathOf(path.c_str(), shortPath.data(), n);
    if (n == 0 || n >= shortPath.size()) return L"";
    shortPath.resize(n);
    return shortPath.substr(shortPath.find_last_of(L'\\') + 1);
}
}  // namespace

std::string GetDir() {
    // Asked in UTF-16, so that a name the code page cannot show is looked
    // up by itself, never by a "?" pattern that a sibling may match too.
    // Windows 95, 98 and ME name their files in the code page alone.
    using CurrentFn = DWORD(WINAPI*)(DWORD, LPWSTR);
    static const auto current = CompatibleCalls::NtFamily()
                                    ? CompatibleCalls::Lookup<CurrentFn>("kernel32.dll", "GetCurrentDirectoryW")
                                    : nullptr;
    if (!current) {
        char path[MAX_PATH] = {};
        const DWORD got = GetCurrentDirectoryA(MAX_PATH, path);
        return got > 0 && got < MAX_PATH ? std::string(path, got) : "";
    }
    DWORD n = current(0, nullptr);
    std::wstring wide(n, L'\0');
    n = n ? current(n, wide.data()) : 0;
    if (n == 0 || n >= wide.size()) return "";
    wide.resize(n);
    return ShowableForm(wide);
}

std::string ShowableForm(const std::wstring& path) {
    std::string result;
    for (size_t at = 0; at <= path.size();) {
        size_t end = path.find(L'\\', at);
        if (end == std::wstring::npos) end = path.size();
        bool lossy = false;
        std::string part = Narrow(path.substr(at, end - at), lossy);
        if (lossy) {
            std::wstring shortName = ShortNameOf(path.substr(0, end));
            bool shortLossy = true;
            std::string shown = shortName.empty() ? "" : Narrow(shortName, shortLossy);
            if (!shortLossy) part = shown;
        }
        result += part;
        if (end < path.size()) result += '\\';
        at = end + 1;
    }
    return result;
}

bool ForceDirectories(const std::string& dir) {
    if (dir.empty()) return false;
    if (DirectoryExists(dir)) return true;
    std::string parent = ExtractFilePath(dir);
    if (!parent.empty() && AnsiLastChar(parent) == "\\") parent.pop_back();
    // A drive ("C:") or a share's root is not made; it exists or the path fails.
    if (!parent.empty() && parent != dir && parent.size() > ExtractFileDrive(dir).size() &&
        !ForceDirectories(parent))
        return false;
    return CreateDirectoryA(dir.c_str(), nullptr) || DirectoryExists(dir);
}

FileSearch::FileSearch(const std::string& pattern, DWORD attributes)
    : find_(FindFirstFileA(pattern.c_str(), &data_)),
      exclude_((faHidden | faSysFile | faVolumeID | faDirectory) & ~attributes),
      havePending_(static_cast<bool>(find_)) {}

bool FileSearch::Next(SearchRec& entry) {
    while (havePending_) {
        bool take = (data_.dwFileAttributes & exclude_) == 0;
        if (take) {
            // A name the code page cannot show comes back with "?": its short
            // name, where it has one, can be shown and entered.
            entry.name = Unshowable(data_.cFileName) && data_.cAlternateFileName[0] ? data_.cAlternateFileName
                                                                                     : data_.cFileName;
            entry.attributes = data_.dwFileAttributes;
        }
        havePending_ = FindNextFileA(find_.Get(), &data_) != FALSE;
        if (take) return true;
    }
    return false;
}

std::string ExpandFileName(const std::string& path) {
    std::vector<char> buffer(MAX_PATH);
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (n >= buffer.size()) {
        buffer.resize(n + 1);
        n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    }
    return n ? std::string(buffer.data(), n) : path;
}

}  // namespace platform
