#pragma once
#include <windows.h>

namespace platform {

// Fails critical errors silently while it lives (a drive without a medium
// must not bring up the system's "no disk" box), then restores the
// process's error mode, also when an error passes.
class QuietErrors {
public:
    QuietErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietErrors() { SetErrorMode(previous_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    UINT previous_;
};

}  // namespace platform
