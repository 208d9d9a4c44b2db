#include "BackupFolderWatch.h"

#include <cstring>

#include "BackupFile.h"
#include "StrayExports.h"
#include "filectrl/PathHelpers.h"
#include "platform/system/CriticalSection.h"
#include "platform/system/DetachedThread.h"

namespace wendrik {

namespace {
constexpr DWORD kQuietMs = 500;       // a burst of changes (a file being written) gives one look
constexpr DWORD kPollMs = 5000;       // where the folder cannot be watched
constexpr DWORD kEndWaitMs = 250;     // what the window gives a stopping thread to end

ULONGLONG Ticks(const FILETIME& t) { return static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

// A name this module gives its backups: the date's digits and ".reg".
bool DatedName(const char* name) {
    const size_t n = std::strlen(name);
    if (n < 9 || n > 12 || lstrcmpiA(name + n - 4, ".reg") != 0) return false;
    for (size_t i = 0; i + 4 < n; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}
}  // namespace

// What the watching thread and the page share.
struct BackupFolderWatch::Shared : platform::RefCounted {
    platform::CriticalSection lock;
    HWND window = nullptr;  // null once the page let go
    FolderStatus status;
    platform::KernelHandle wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    bool stop = false;

    void Run(const std::string& dir, const ExportFileCheck::Wanted& wanted);
    bool Stopped() {
        platform::CriticalSection::Lock locked(lock);
        return stop;
    }
};

void BackupFolderWatch::Shared::Run(const std::string& dir, const ExportFileCheck::Wanted& wanted) {
    StrayExports::Settle(dir, wanted, BackupFile::KeepsAccessLists(dir));
    platform::KernelHandle changes(FindFirstChangeNotificationA(
        dir.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE));
    for (;;) {
        FolderStatus seen = Look(dir);
        {
            platform::CriticalSection::Lock locked(lock);
            if (stop) return;
            status = std::move(seen);
            if (window) PostMessageA(window, kChanged, 0, 0);
        }
        const HANDLE waits[] = {wake.Get(), changes.Get()};
        const DWORD woke = WaitForMultipleObjects(changes ? 2 : 1, waits, FALSE, changes ? INFINITE : kPollMs);
        if (Stopped()) return;
        if (woke == WAIT_OBJECT_0 + 1) {
            if (!FindNextChangeNotification(changes.Get())) changes.Reset();
            WaitForSingleObject(wake.Get(), kQuietMs);  // the rest of the burst, or a refresh
            if (Stopped()) return;
        }
    }
}

BackupFolderWatch::BackupFolderWatch(HWND window) : window_(window) {}

BackupFolderWatch::~BackupFolderWatch() { Stop(true); }

void BackupFolderWatch::Stop(bool waitAMoment) {
    if (shared_) {
        platform::CriticalSection::Lock locked(shared_->lock);
        shared_->stop = true;
        shared_->window = nullptr;
        SetEvent(shared_->wake.Get());
    }
    shared_ = {};
    // Its end gives the image back: a host that unloads the module right
    // after the page went finds it unmapped. One that hangs in a share is left.
    if (waitAMoment && thread_) WaitForSingleObject(thread_.Get(), kEndWaitMs);
    thread_.Reset();
}

void BackupFolderWatch::Watch(const std::string& dir, const ExportFileCheck::Wanted& wanted) {
    Stop(false);
    dir_ = dir;
    if (dir.empty()) return;
    auto shared = platform::MakeRef<Shared>();
    if (!shared->wake) return;
    shared->window = window_;
    HANDLE thread = nullptr;
    if (!platform::DetachedThread::Start([shared, dir, wanted] { shared->Run(dir, wanted); }, &thread))
        return;
    shared_ = shared;
    thread_.Reset(thread);
}

FolderStatus BackupFolderWatch::Status() const {
    if (!shared_) return {};
    platform::CriticalSection::Lock locked(shared_->lock);
    return shared_->status;
}

void BackupFolderWatch::Refresh() {
    if (!shared_) return;
    SetEvent(shared_->wake.Get());
}

FolderStatus BackupFolderWatch::Look(const std::string& dir) {
    FolderStatus status;
    WIN32_FIND_DATAA data;
    platform::FindHandle find(FindFirstFileA(JoinPath(dir, "*.reg").c_str(), &data));
    const DWORD error = find ? 0 : GetLastError();
    status.answered = find || error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    if (!find) return status;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !DatedName(data.cFileName)) continue;
        if (status.found && Ticks(data.ftLastWriteTime) <= Ticks(status.written)) continue;
        status.found = true;
        status.written = data.ftLastWriteTime;
        status.size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    } while (FindNextFileA(find.Get(), &data));
    return status;
}

}  // namespace wendrik
