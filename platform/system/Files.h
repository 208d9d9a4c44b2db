#pragma once
#include <windows.h>
#include <string>
#include "UniqueHandle.h"

namespace platform {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Last write time of a file; false when it cannot be read.
bool LastWriteTime(const std::string& path, FILETIME& time);
// The same in local time.
bool FileDate(const std::string& path, SYSTEMTIME& localTime);
// Makes `dir` the current directory; "X:" goes to drive X's own current
// directory. Raises InOutError when it cannot be entered.
void ChDir(const std::string& dir);
// The process's current directory as a full path; a folder whose name the
// code page cannot show is given by its short name, where it has one.
std::string GetDir();
// `path` in the code page, each name that it cannot show put by that
// folder's own short (8.3) name, where the file system has one.
std::string ShowableForm(const std::wstring& path);
// `path` made absolute against the current directory, "." and ".." resolved.
std::string ExpandFileName(const std::string& path);
// Makes `dir` with every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& dir);

// File attributes as a search filters by them.
enum FileAttribute : DWORD {
    faReadOnly = FILE_ATTRIBUTE_READONLY,
    faHidden = FILE_ATTRIBUTE_HIDDEN,
    faSysFile = FILE_ATTRIBUTE_SYSTEM,
    faVolumeID = 0x08,
    faDirectory = FILE_ATTRIBUTE_DIRECTORY,
    faArchive = FILE_ATTRIBUTE_ARCHIVE,
};

// One entry a search yields.
struct SearchRec {
    std::string name;
    DWORD attributes = 0;
};

// The attribute-filtered search: every entry matching the pattern, except
// those that are hidden, system, volume label or directory where `attributes`
// lacks that bit (read-only and archive never exclude). Closed when it goes,
// also when an error passes.
class FileSearch {
public:
    FileSearch(const std::string& pattern, DWORD attributes);
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    // The next entry; false when there is none more.
    bool Next(SearchRec& entry);

private:
    FindHandle find_;
    DWORD exclude_;
    WIN32_FIND_DATAA data_;
    bool havePending_;
};

}  // namespace platform
