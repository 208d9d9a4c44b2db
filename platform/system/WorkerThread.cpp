#include "WorkerThread.h"

#include "SystemBoundary.h"
#include "ThreadExceptionGuard.h"

namespace platform {

WorkerThread::WorkerThread(std::function<void()> work) : work_(std::move(work)) {
    thread_.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
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
            me->failed_ = !SystemBoundary::Completes([&] { me->work_(); });
        },
        self, &self->structured_);
    return 0;
}

}  // namespace platform
