#include "QuietErrors.h"

#include "CriticalSection.h"
#include "SystemFunctions.h"

namespace platform {

namespace {
// Made when the image loads, before any thread of ours can be quiet.
CriticalSection& countLock = *new CriticalSection;  // never destroyed: no work at unload
int quietCount = 0;   // guarded by countLock
bool added = false;   // the flag was not in the host's mode: ours to clear
}  // namespace

void QuietErrors::ProcessFrom() {
    CriticalSection::Lock locked(countLock);
    if (quietCount++ > 0) return;
    UINT before = SetErrorMode(SEM_FAILCRITICALERRORS);
    added = !(before & SEM_FAILCRITICALERRORS);
    SetErrorMode(before | SEM_FAILCRITICALERRORS);
}

void QuietErrors::ProcessUntil() {
    CriticalSection::Lock locked(countLock);
    if (--quietCount > 0 || !added) return;
    // The mode as it is now, the host's changes meanwhile kept.
    UINT now = SetErrorMode(0);
    SetErrorMode(now & ~SEM_FAILCRITICALERRORS);
}

QuietErrors::QuietErrors() {
    auto threadMode = SystemFunctions::Current().SetThreadErrorMode;
    if (threadMode && threadMode(SEM_FAILCRITICALERRORS, &previous_)) {
        threadMode_ = true;
        if (previous_ & ~SEM_FAILCRITICALERRORS) threadMode(previous_ | SEM_FAILCRITICALERRORS, nullptr);
        return;
    }
    ProcessFrom();
}

QuietErrors::~QuietErrors() {
    if (threadMode_) {
        if (auto threadMode = SystemFunctions::Current().SetThreadErrorMode) threadMode(previous_, nullptr);
        return;
    }
    ProcessUntil();
}

}  // namespace platform
