#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include <memory>

#include "platform/system/CriticalSection.h"
#include "platform/system/Text.h"
#include "platform/system/UniqueHandle.h"
#include "platform/system/WorkerThread.h"

namespace wendrik {

// Sort keys (see SortKey) for a run of strings, in adding order. A long run
// has its keys worked out on a second thread while the caller is still
// finding the strings (a folder's names come slower than their keys); a
// short one is done at the end on the caller's thread. The thread never
// outlives the batch, also when an error passes. What the thread cannot
// finish (it runs out of memory, say) the caller's thread does in Finish.
class SortKeyBatch {
public:
    using KeyFunction = std::string (*)(const std::string& text);
    // `keyOf` makes one key (SortKey; tests give one that fails).
    explicit SortKeyBatch(KeyFunction keyOf = platform::SortKey);
    ~SortKeyBatch();
    SortKeyBatch(const SortKeyBatch&) = delete;
    SortKeyBatch& operator=(const SortKeyBatch&) = delete;

    void Add(std::string text);
    // The keys of everything added, in adding order; the batch is empty afterwards.
    std::vector<std::string> Finish();

    // From this many strings on, a thread of its own makes the keys.
    static constexpr size_t ThreadFrom = 1024;

private:
    void Work();
    void Hand(std::vector<std::string>&& texts);
    void Stop();

    std::vector<std::string> waiting_;  // the caller's, not yet handed over
    std::vector<std::string> keys_;     // the worker's while it runs
    platform::CriticalSection lock_;
    std::vector<std::vector<std::string>> handed_;  // guarded by lock_
    bool closing_ = false;                          // guarded by lock_
    // Left by a worker that met an error: its batches from `leftFrom_` on.
    std::vector<std::vector<std::string>> left_;
    size_t leftFrom_ = 0;
    bool failed_ = false;
    KeyFunction keyOf_;
    platform::KernelHandle wake_;
    std::unique_ptr<platform::WorkerThread> thread_;  // joined when it goes
};

}  // namespace wendrik
