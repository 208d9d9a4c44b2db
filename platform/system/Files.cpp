#include "Files.h"

#include <vector>

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
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
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
        DWORD code = dir.empty() ? ERROR_PATH_NOT_FOUND : GetLastError();
        SetLastError(code);
        throw InOutError("I/O error " + std::to_string(code));
    }
}

std::string GetDir() {
    std::vector<char> buffer(MAX_PATH);
    DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n >= buffer.size()) {
        buffer.resize(n + 1);
        n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    return ShortFormOfUnshowable(std::string(buffer.data(), n));
}

namespace {
// '?' is what the system puts for a character outside the code page; it is
// never part of a real name, nor a trail byte of a double-byte one.
bool Unshowable(const std::string& name) { return name.find('?') != std::string::npos; }
}  // namespace

std::string ShortFormOfUnshowable(const std::string& path) {
    if (!Unshowable(path)) return path;
    // Component by component: the "?" of an unshowable name matches it as a
    // wildcard, and the search gives its short name.
    std::string result;
    size_t at = 0;
    while (at < path.size()) {
        size_t end = path.find('\\', at);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(at, end - at);
        if (Unshowable(part) && !result.empty()) {
            WIN32_FIND_DATAA data;
            if (FindHandle(FindFirstFileA((result + part).c_str(), &data)) && data.cAlternateFileName[0])
                part = data.cAlternateFileName;
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
