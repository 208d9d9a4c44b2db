#pragma once
#include <windows.h>
#include <string>

namespace wendrik {

// A new backup, written beside the dated file it is to become: the editor
// writes into a temporary file of the same folder (same volume, a name no
// user file has), and only a file found whole replaces the dated one. The
// temporary file goes with the object unless it was put in place or kept.
class BackupFile {
public:
    // How many characters the temporary file's path has beyond the target's.
    static constexpr size_t kExtraPath = 14;  // "~" before the name, ".XXXXXXXX.tmp" after

    BackupFile(const std::string& dir, const std::string& name);
    ~BackupFile();
    BackupFile(const BackupFile&) = delete;
    BackupFile& operator=(const BackupFile&) = delete;

    // Makes the temporary file (empty); false, with GetLastError(), when none can be made.
    bool Reserve();
    const std::string& TempName() const { return tempName_; }
    const std::string& TempPath() const { return tempPath_; }
    const std::string& Target() const { return target_; }
    // True when the editor wrote nothing into the temporary file.
    bool Empty() const;
    // Puts the temporary file in place of the dated one, written through to
    // the disk; 0, or the system's error (then the temporary file is kept).
    DWORD Replace();

private:
    std::string dir_, target_, tempName_, tempPath_;
    bool own_ = false;  // the temporary file exists and is ours to delete
};

}  // namespace wendrik
