#include "BackupFile.h"

#include <cstdio>

#include "filectrl/PathHelpers.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

BackupFile::BackupFile(const std::string& dir, const std::string& name)
    : dir_(dir), target_(dir.empty() ? name : JoinPath(dir, name)) {
    tempName_ = "~" + name;
}

BackupFile::~BackupFile() {
    // Still open in an editor that outlived the page: then it stays, under its temporary name.
    if (own_) DeleteFileA(tempPath_.c_str());
}

bool BackupFile::Reserve() {
    static LONG counter = 0;
    const std::string base = tempName_;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        const DWORD unique = GetCurrentProcessId() << 16 ^ static_cast<DWORD>(InterlockedIncrement(&counter));
        std::snprintf(suffix, sizeof(suffix), ".%08lX.tmp", static_cast<unsigned long>(unique));
        std::string name = base + suffix;
        std::string path = dir_.empty() ? name : JoinPath(dir_, name);
        platform::KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            tempName_ = name;
            tempPath_ = path;
            own_ = true;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
}

bool BackupFile::Empty() const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(tempPath_.c_str(), GetFileExInfoStandard, &data)) return true;
    return data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
}

DWORD BackupFile::Replace() {
    const bool moved =
        MoveFileExA(tempPath_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    const DWORD error = moved ? 0 : GetLastError();
    own_ = false;  // in place, or kept: a whole export is never deleted
    return error;
}

}  // namespace wendrik
