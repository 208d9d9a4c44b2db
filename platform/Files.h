#pragma once
#include <windows.h>
#include <string>

namespace platform {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Last write time of a file in local time; false when it cannot be read.
bool FileDate(const std::string& path, SYSTEMTIME& localTime);

}  // namespace platform
