#include "WorkerThread.h"

#include "SystemBoundary.h"
#include "ThreadExceptionGuard.h"
#include "CompatibleCalls.h"

namespace platform {

WorkerThread::WorkerThread(std::function<void()> work) : work_(std::move(work)) {
    thread_.Reset(CompatibleCalls::StartThread(Run, this));
}

WorkerThread::~WorkerThread() { Join(); }

void WorkerThread::Join() {
    if (thread_) WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI WorkerThread::Run(void* parameter) {
    auto* self = static_cast<WorkerThread*>(parameter);
    ThreadExceptionGuard::Run(
        [](void* p) {
            auto* me = static_cast<WorkerThread*>(p);
            me->failed_ = SystemBoundary::Enter(
                [&] {
                    me->work_();
                    return false;
                },
                [&] {
                    me->error_ = std::current_exception();  // handed to the owner
                    return true;
                });
        },
        self, &self->structured_);
    return 0;
}

}  // namespace platform
