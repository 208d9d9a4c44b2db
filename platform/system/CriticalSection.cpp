#include "CriticalSection.h"

#include "UniqueHandle.h"
#include "CompatibleCalls.h"

namespace platform {

namespace {
struct Try {
    CRITICAL_SECTION* section;
    bool entered = false;
};

DWORD WINAPI TryFromAnotherThread(void* parameter) {
    auto* attempt = static_cast<Try*>(parameter);
    attempt->entered = CompatibleCalls::TryEnter(attempt->section);
    if (attempt->entered) LeaveCriticalSection(attempt->section);
    return 0;
}
}  // namespace

bool CriticalSection::Free() {
    // The owning thread may enter again: only another thread can tell.
    Try attempt{&section_};
    KernelHandle thread(CompatibleCalls::StartThread(TryFromAnotherThread, &attempt));
    if (!thread) return false;
    WaitForSingleObject(thread.Get(), INFINITE);
    return attempt.entered;
}

}  // namespace platform
