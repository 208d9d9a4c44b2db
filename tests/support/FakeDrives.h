#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace testing_support {

// Drives and paths as the machine's are not: a drive table of the test's
// own, volumes that answer late or not at all, a share that stopped
// answering. Put into the system function table from the call on; what the
// fakes know outlives the FakeSystem that put them there, since a question
// that blocked may answer after it has gone.
class FakeDrives {
public:
    // One drive: its type, volume label (null: the query fails) and network
    // connection (null: none). A blocking drive's queries wait until
    // ReleaseBlockedQueries or ten seconds.
    struct Drive {
        char letter;  // lower case
        UINT type;
        const char* label = nullptr;
        const char* remote = nullptr;
        bool blocks = false;
    };
    // From now on the drive queries answer from `drives` instead of the machine.
    static void Set(const std::vector<Drive>& drives);
    // From now on asking for the attributes of a path under `prefix` (case
    // ignored) hangs, as a vanished share does, until ReleaseBlockedQueries
    // or ten seconds.
    static void SetHangingPath(const std::string& prefix);
    // How often each drive's volume was asked for, by lower-case letter.
    static int VolumeQueries(char letter);
    static void ReleaseBlockedQueries();
    // How many attribute questions have hung so far.
    static int HangingCalls();

private:
    static DWORD WINAPI LogicalDrivesFake();
    static DWORD WINAPI AttributesFake(LPCSTR path);
    static UINT WINAPI DriveTypeFake(LPCSTR root);
    static BOOL WINAPI VolumeFake(LPCSTR root, LPSTR name, DWORD nameSize, DWORD* serial, DWORD* maxComponent,
                                  DWORD* flags, LPSTR fileSystem, DWORD fileSystemSize);
    static DWORD WINAPI ConnectionFake(LPCSTR local, LPSTR remote, DWORD* length);
};

}  // namespace testing_support
