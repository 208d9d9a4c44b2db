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
    return std::string(buffer.data(), n);
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
      havePending_(find_ != INVALID_HANDLE_VALUE) {}

FileSearch::~FileSearch() {
    if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
}

bool FileSearch::Next(SearchRec& entry) {
    while (havePending_) {
        bool take = (data_.dwFileAttributes & exclude_) == 0;
        if (take) {
            entry.name = data_.cFileName;
            entry.attributes = data_.dwFileAttributes;
        }
        havePending_ = FindNextFileA(find_, &data_) != FALSE;
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
