#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "ExportFileCheck.h"
#include "platform/system/RefCounted.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

// What a backup folder holds, as last seen.
struct FolderStatus {
    bool answered = false;  // the folder has been looked at
    bool found = false;     // it holds a dated backup
    FILETIME written = {};
    std::uint64_t size = 0;
};

// Watches a backup folder beside the window, on a thread that runs on by
// itself (a share that stops answering never holds the window): settles the
// stray exports of its first look, then finds the newest dated backup
// again whenever the folder changes, and posts kChanged to the window.
class BackupFolderWatch {
public:
    static constexpr UINT kChanged = WM_APP + 0x2A8;

    explicit BackupFolderWatch(HWND window);
    ~BackupFolderWatch();
    BackupFolderWatch(const BackupFolderWatch&) = delete;
    BackupFolderWatch& operator=(const BackupFolderWatch&) = delete;

    // Watches `dir` (absolute; "" for none) from now on, its strays
    // settled first with the check that `wanted` says.
    void Watch(const std::string& dir, const ExportFileCheck::Wanted& wanted);
    const std::string& Folder() const { return dir_; }
    // The newest status of the folder watched now; not answered before its first look.
    FolderStatus Status() const;
    // Looks again now (after an export).
    void Refresh();

    // The newest dated backup in `dir`, looked at here.
    static FolderStatus Look(const std::string& dir);

private:
    struct Shared;
    void Stop(bool waitAMoment);

    HWND window_;
    std::string dir_;
    platform::Ref<Shared> shared_;
    platform::KernelHandle thread_;  // to wait a moment for its end, never longer
};

}  // namespace wendrik
