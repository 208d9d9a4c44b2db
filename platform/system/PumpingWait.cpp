#include "PumpingWait.h"

#include <exception>

#include "Error.h"
#include "ImageHold.h"
#include "SystemBoundary.h"
#include "ThreadExceptionGuard.h"
#include "UniqueHandle.h"
#include "CompatibleCalls.h"

namespace platform {

namespace {
struct Job {
    const std::function<void()>* work;
    std::exception_ptr error;
    DWORD structured = 0;  // the code of a structured exception that ended the thread
};

void DoJob(void* parameter) {
    auto* job = static_cast<Job*>(parameter);
    SystemBoundary::Enter(
        [&] {
            (*job->work)();
            return 0;
        },
        [&] {
            job->error = std::current_exception();  // handed to the waiting thread
            return 0;
        });
}

DWORD WINAPI RunJob(void* parameter) {
    auto* job = static_cast<Job*>(parameter);
    ThreadExceptionGuard::Run(DoJob, job, &job->structured);
    return 0;
}
}  // namespace

bool PumpingWait::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool PumpingWait::WaitPumping(HANDLE handle) {
    ImageHold::HoldImage();
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1 || !ProcessMessages()) return false;
    }
}

bool PumpingWait::RunPumping(const std::function<void()>& work, DWORD* structuredException) {
    if (structuredException) *structuredException = 0;
    Job job{&work, nullptr};
    KernelHandle thread(CompatibleCalls::StartThread(RunJob, &job));
    if (!thread) {
        work();
        return true;
    }
    bool pumped = WaitPumping(thread.Get());
    // The job lives in this frame: never leave before the thread has.
    if (!pumped) WaitForSingleObject(thread.Get(), INFINITE);
    if (job.error) std::rethrow_exception(job.error);
    if (job.structured && !structuredException) {
        char text[64];
        wsprintfA(text, "exception 0x%08lX on a helper thread", job.structured);
        throw Error(text);
    }
    if (structuredException) *structuredException = job.structured;
    return pumped;
}

}  // namespace platform
