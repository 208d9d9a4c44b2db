#include "Files.h"

namespace platform {

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileDate(const std::string& path, SYSTEMTIME& localTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    FILETIME local;
    return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
           FileTimeToSystemTime(&local, &localTime);
}

}  // namespace platform
