#pragma once
#include <windows.h>
#include <string>

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
// The process's current directory as a full path.
std::string GetDir();
// `path` made absolute against the current directory, "." and ".." resolved.
std::string ExpandFileName(const std::string& path);

}  // namespace platform
