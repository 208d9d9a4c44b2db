#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

namespace wendrik {

// A new backup, written beside the dated file it is to become: the editor
// writes into a temporary file of the same folder (same volume, a name no
// user file has), and only a file found whole replaces the dated one.
// While the object lives its temporary file is held: no settling of stray
// exports in this process touches it. The file is deleted with the object
// only while nothing was written into it; after that it goes by Discard(),
// or stays by Keep() for a later page to settle.
class BackupFile {
public:
    // How many characters the temporary file's path has beyond the target's.
    static constexpr size_t kExtraPath = 14;  // "~" before the name, ".XXXXXXXX.tmp" after

    // `dir` is absolute: the editor gets the full path, whatever its own directory.
    BackupFile(const std::string& dir, const std::string& name);
    ~BackupFile();
    BackupFile(const BackupFile&) = delete;
    BackupFile& operator=(const BackupFile&) = delete;

    // Makes the temporary file (empty), with an access list for this user,
    // the Administrators and the system alone when `privateAccess`; false,
    // with GetLastError(), when none can be made.
    bool Reserve(bool privateAccess);
    const std::string& TempPath() const { return tempPath_; }
    const std::string& Target() const { return target_; }
    // What the file holds now, asked without opening it for reading (an
    // editor may be writing it); 0 also when it cannot be asked.
    std::uint64_t CurrentSize() const;
    // Puts the temporary file in place of the dated one: its data written
    // through to the disk first, its access list made private again (an
    // editor may have written a new file), then renamed. 0, or the system's
    // error: then the dated file is as it was and the temporary file stays.
    // `flushFailed` tells that the data could not be written through.
    DWORD Replace(bool& flushFailed);
    // Deletes the temporary file now.
    void Discard();
    // Leaves the temporary file where it is.
    void Keep() { own_ = false; }

    // The same steps for any whole export beside its dated file: flush,
    // private access list where wanted, rename over `target`.
    static DWORD PutInPlace(const std::string& temp, const std::string& target, bool privateAccess,
                            bool& flushFailed);
    // Where the old dated file waits while the new one takes its name, where
    // the system has no replacing rename.
    static std::string AsideName(const std::string& temp);
    // True when the volume of `dir` keeps access lists (asked here, without
    // a deadline: beside the window, or after the folder answered).
    static bool KeepsAccessLists(const std::string& dir);
    // True while an export of this process holds the temporary file `path`.
    static bool Held(const std::string& path);

private:
    static DWORD ReplaceByRenames(const std::string& temp, const std::string& target);

    std::string dir_, name_, target_, tempPath_;
    bool own_ = false;      // the temporary file exists and nothing was decided about it
    bool private_ = false;  // its access list is to be private
};

}  // namespace wendrik
