#pragma once
#include <windows.h>
#include <functional>

#include "UniqueHandle.h"

namespace platform {

// A thread of ours that its owner waits for: started with the object,
// joined when the object goes, so that nothing the work uses can go
// before it. The work runs behind the system boundary: what it throws
// ends it quietly (Failed() says so), and a structured exception ends
// its thread alone.
class WorkerThread {
public:
    explicit WorkerThread(std::function<void()> work);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // False when no thread could be had: the work did not run.
    bool Started() const { return static_cast<bool>(thread_); }
    // Signalled when the work has ended; null when not started.
    HANDLE Handle() const { return thread_.Get(); }
    void Join();
    // After Join: the work threw, or a structured exception ended it
    // (then its code is in StructuredException()).
    bool Failed() const { return failed_; }
    DWORD StructuredException() const { return structured_; }

private:
    static DWORD WINAPI Run(void* self);

    std::function<void()> work_;
    bool failed_ = true;  // until the work has run to its end
    DWORD structured_ = 0;
    KernelHandle thread_;
};

}  // namespace platform
