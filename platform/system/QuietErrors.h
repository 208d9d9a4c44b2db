#pragma once
#include <windows.h>

namespace platform {

// Fails critical errors silently while it lives (a drive without a medium
// must not bring up the system's "no disk" box), also when an error passes.
// Where the system has a per-thread error mode (Windows 7 on), only the
// calling thread's; before, the process's, through one count that every
// scope and every thread of ours shares: the flag is added to the host's
// mode when the first comes and only that flag is cleared when the last
// goes, so that overlapping scopes never leave the process quiet for good,
// nor loud while a late query still runs, nor wipe the host's own flags.
class [[nodiscard]] QuietErrors {
public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

    // The process quiet for a thread of ours without a mode of its own,
    // from its start to its end: counted with the scopes.
    static void ProcessFrom();
    static void ProcessUntil();

private:
    bool threadMode_ = false;
    DWORD previous_ = 0;  // the thread's mode before, where it has one
};

}  // namespace platform
