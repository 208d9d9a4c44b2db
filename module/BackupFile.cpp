#include "BackupFile.h"

#include <cstdio>
#include <set>

#include "filectrl/PathHelpers.h"
#include "platform/system/CompatibleCalls.h"
#include "platform/system/CriticalSection.h"
#include "platform/system/PrivateAccess.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

namespace {
// The temporary files that running exports of this process hold, by upper-case path.
struct HeldFiles {
    platform::CriticalSection lock;
    std::set<std::string> paths;
};

HeldFiles& Holds() {
    static auto* held = new HeldFiles;  // never destroyed: a settling thread may ask late
    return *held;
}

std::string Key(const std::string& path) {
    std::string key = path;
    for (char& c : key) c = platform::AsciiUpper(c);
    return key;
}

void Hold(const std::string& path, bool held) {
    HeldFiles& files = Holds();
    platform::CriticalSection::Lock locked(files.lock);
    if (held) files.paths.insert(Key(path));
    else files.paths.erase(Key(path));
}

// Windows 95, 98 and ME refuse FILE_SHARE_DELETE.
DWORD ShareAll() {
    return FILE_SHARE_READ | FILE_SHARE_WRITE | (platform::CompatibleCalls::NtFamily() ? FILE_SHARE_DELETE : 0);
}
}  // namespace

BackupFile::BackupFile(const std::string& dir, const std::string& name)
    : dir_(dir), name_(name), target_(JoinPath(dir, name)) {}

BackupFile::~BackupFile() {
    if (tempPath_.empty()) return;
    if (own_) DeleteFileA(tempPath_.c_str());
    Hold(tempPath_, false);
}

bool BackupFile::Reserve(bool privateAccess) {
    static LONG counter = 0;
    platform::PrivateAccess access;
    private_ = privateAccess && access.Ready();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        const DWORD unique = GetCurrentProcessId() << 16 ^ static_cast<DWORD>(InterlockedIncrement(&counter));
        std::snprintf(suffix, sizeof(suffix), ".%08lX.tmp", static_cast<unsigned long>(unique));
        const std::string path = JoinPath(dir_, "~" + name_ + suffix);
        Hold(path, true);  // before it exists: a settling look never finds it unheld
        platform::KernelHandle file(platform::SystemFunctions::Current().CreateFileA(
            path.c_str(), GENERIC_WRITE, 0, private_ ? access.Attributes() : nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            tempPath_ = path;
            own_ = true;
            return true;
        }
        const DWORD error = GetLastError();
        Hold(path, false);
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            SetLastError(error);
            return false;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
}

std::uint64_t BackupFile::CurrentSize() const {
    // No data access: an editor's own sharing never refuses it.
    platform::KernelHandle file(CreateFileA(tempPath_.c_str(), 0, ShareAll(), nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return 0;
    DWORD high = 0;
    const DWORD low = GetFileSize(file.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
    return static_cast<std::uint64_t>(high) << 32 | low;
}

DWORD BackupFile::Replace(bool& flushFailed) {
    const DWORD error = PutInPlace(tempPath_, target_, private_, flushFailed);
    own_ = false;  // in place, or kept: a whole export is never deleted
    return error;
}

void BackupFile::Discard() {
    if (own_) DeleteFileA(tempPath_.c_str());
    own_ = false;
}

DWORD BackupFile::PutInPlace(const std::string& temp, const std::string& target, bool privateAccess,
                             bool& flushFailed) {
    flushFailed = false;
    {
        // A rename in one folder is no copy, so MOVEFILE_WRITE_THROUGH would
        // flush nothing: after a crash a journal could hold the new name over
        // data never written. The data goes to the disk first.
        platform::KernelHandle file(
            CreateFileA(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file || !platform::SystemFunctions::Current().FlushFileBuffers(file.Get())) {
            flushFailed = true;
            const DWORD error = GetLastError();
            return error ? error : ERROR_WRITE_FAULT;
        }
    }
    if (privateAccess) {
        platform::PrivateAccess access;
        access.ApplyTo(temp.c_str());  // refused (a file the elevated editor owns): its own list stays
    }
    if (platform::CompatibleCalls::NtFamily()) {
        if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        const DWORD error = GetLastError();
        if (error != ERROR_CALL_NOT_IMPLEMENTED) return error ? error : ERROR_GEN_FAILURE;
    }
    return ReplaceByRenames(temp, target);
}

std::string BackupFile::AsideName(const std::string& temp) {
    return temp.substr(0, temp.size() - 4) + ".old";  // "~2026127.reg.0A1B2C3D.old"
}

DWORD BackupFile::ReplaceByRenames(const std::string& temp, const std::string& target) {
    // Windows 95, 98 and ME export MoveFileExA but do not implement it. The
    // old file goes aside, the new one takes its name, and only then is the
    // old one deleted: at every moment one of the two is there.
    if (!MoveFileA(temp.c_str(), target.c_str())) {
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return error ? error : ERROR_GEN_FAILURE;
        const std::string aside = AsideName(temp);
        if (!MoveFileA(target.c_str(), aside.c_str())) {
            const DWORD asideError = GetLastError();
            return asideError ? asideError : ERROR_GEN_FAILURE;
        }
        if (!MoveFileA(temp.c_str(), target.c_str())) {
            const DWORD placeError = GetLastError();
            MoveFileA(aside.c_str(), target.c_str());  // the old one back
            return placeError ? placeError : ERROR_GEN_FAILURE;
        }
        DeleteFileA(aside.c_str());  // one left over is settled by the next page
    }
    return 0;
}

bool BackupFile::KeepsAccessLists(const std::string& dir) {
    const std::string root = platform::ExtractFileDrive(dir) + "\\";
    DWORD flags = 0;
    return platform::SystemFunctions::Current().GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr,
                                                                      &flags, nullptr, 0) &&
           (flags & FS_PERSISTENT_ACLS);
}

bool BackupFile::Held(const std::string& path) {
    HeldFiles& files = Holds();
    platform::CriticalSection::Lock locked(files.lock);
    return files.paths.count(Key(path)) != 0;
}

}  // namespace wendrik
