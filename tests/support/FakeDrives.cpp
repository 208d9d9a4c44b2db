#include "FakeDrives.h"

#include "platform/system/SystemFunctions.h"

namespace testing_support {

namespace {
// The faked drives outlive the fake: a query that blocked may answer after it has gone.
std::vector<FakeDrives::Drive> drives;
LONG volumeQueries[26];
HANDLE releaseBlocked = CreateEventA(nullptr, TRUE, FALSE, nullptr);

const FakeDrives::Drive* DriveOf(const char* root) {
    if (!root || !root[0]) return nullptr;
    char letter = root[0] >= 'A' && root[0] <= 'Z' ? static_cast<char>(root[0] - 'A' + 'a') : root[0];
    for (const auto& d : drives)
        if (d.letter == letter) return &d;
    return nullptr;
}
}  // namespace

void FakeDrives::Set(const std::vector<Drive>& table) {
    drives = table;
    for (LONG& n : volumeQueries) n = 0;
    ResetEvent(releaseBlocked);
    auto& system = platform::SystemFunctions::Current();
    system.GetLogicalDrives = LogicalDrivesFake;
    system.GetDriveTypeA = DriveTypeFake;
    system.GetVolumeInformationA = VolumeFake;
    system.WNetGetConnectionA = ConnectionFake;
}

namespace {
std::string hangingPrefix;  // outlives the fake: a hanging question may end after it
LONG hangingCalls = 0;
}

int FakeDrives::HangingCalls() { return InterlockedCompareExchange(&hangingCalls, 0, 0); }

void FakeDrives::SetHangingPath(const std::string& prefix) {
    hangingPrefix = prefix;
    ResetEvent(releaseBlocked);
    platform::SystemFunctions::Current().GetFileAttributesA = AttributesFake;
}

DWORD WINAPI FakeDrives::AttributesFake(LPCSTR path) {
    std::string start = std::string(path).substr(0, hangingPrefix.size());
    if (!hangingPrefix.empty() && lstrcmpiA(start.c_str(), hangingPrefix.c_str()) == 0) {
        InterlockedIncrement(&hangingCalls);
        WaitForSingleObject(releaseBlocked, 10000);
        return INVALID_FILE_ATTRIBUTES;
    }
    return GetFileAttributesA(path);
}

int FakeDrives::VolumeQueries(char letter) { return volumeQueries[letter - 'a']; }

void FakeDrives::ReleaseBlockedQueries() { SetEvent(releaseBlocked); }

DWORD WINAPI FakeDrives::LogicalDrivesFake() {
    DWORD mask = 0;
    for (const auto& d : drives) mask |= 1u << (d.letter - 'a');
    return mask;
}

UINT WINAPI FakeDrives::DriveTypeFake(LPCSTR root) {
    const Drive* d = DriveOf(root);
    return d ? d->type : DRIVE_NO_ROOT_DIR;
}

BOOL WINAPI FakeDrives::VolumeFake(LPCSTR root, LPSTR name, DWORD nameSize, DWORD*, DWORD* maxComponent,
                                   DWORD* flags, LPSTR, DWORD) {
    const Drive* d = DriveOf(root);
    if (!d) return FALSE;
    InterlockedIncrement(&volumeQueries[d->letter - 'a']);
    if (d->blocks) WaitForSingleObject(releaseBlocked, 10000);
    if (!d->label) {
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    }
    if (name && nameSize) lstrcpynA(name, d->label, static_cast<int>(nameSize));
    if (maxComponent) *maxComponent = 255;
    if (flags) *flags = FS_CASE_IS_PRESERVED;
    return TRUE;
}

DWORD WINAPI FakeDrives::ConnectionFake(LPCSTR local, LPSTR remote, DWORD* length) {
    const Drive* d = DriveOf(local);
    if (!d || d->type != DRIVE_REMOTE) return ERROR_NOT_CONNECTED;
    if (d->blocks) WaitForSingleObject(releaseBlocked, 10000);
    if (!d->remote) return ERROR_CONNECTION_UNAVAIL;
    lstrcpynA(remote, d->remote, static_cast<int>(*length));
    return NO_ERROR;
}

}  // namespace testing_support
