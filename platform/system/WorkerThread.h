#pragma once
#include <windows.h>
#include <exception>
#include <functional>

#include "UniqueHandle.h"

namespace platform {

// A thread of ours that its owner waits for: started with the object,
// joined when the object goes, so that nothing the work uses can go
// before it. The work runs behind the system boundary: what it throws ends
// it and is kept for the owner (Error()), and a structured exception ends
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
    // After Join: the work threw (Error() holds what), or a structured
    // exception ended it (then its code is in StructuredException()).
    bool Failed() const { return failed_; }
    std::exception_ptr Error() const { return error_; }
    DWORD StructuredException() const { return structured_; }

private:
    static DWORD WINAPI Run(void* self);

    std::function<void()> work_;
    bool failed_ = true;  // until the work has run to its end
    std::exception_ptr error_;
    DWORD structured_ = 0;
    KernelHandle thread_;
};

}  // namespace platform
