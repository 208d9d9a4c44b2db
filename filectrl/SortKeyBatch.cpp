#include "SortKeyBatch.h"

#include "platform/system/SystemBoundary.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

namespace {
constexpr size_t kHandOver = 256;  // strings handed to the worker at a time
}

SortKeyBatch::SortKeyBatch(KeyFunction keyOf) : keyOf_(keyOf) {}

SortKeyBatch::~SortKeyBatch() { Stop(); }

void SortKeyBatch::Add(std::string text) {
    waiting_.push_back(std::move(text));
    if (!thread_ && waiting_.size() == ThreadFrom) {
        if (!wake_) wake_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (wake_) thread_ = std::make_unique<WorkerThread>([this] { Work(); });
        if (thread_ && !thread_->Started()) thread_.reset();
        if (!thread_) return;  // no thread to spare: all keys at the end, here
    }
    if (thread_ && waiting_.size() >= kHandOver) Hand(std::move(waiting_)), waiting_.clear();
}

void SortKeyBatch::Hand(std::vector<std::string>&& texts) {
    {
        CriticalSection::Lock locked(lock_);  // left also when the push runs out of memory
        handed_.push_back(std::move(texts));
    }
    SetEvent(wake_.Get());
}

void SortKeyBatch::Work() {
    for (;;) {
        WaitForSingleObject(wake_.Get(), INFINITE);
        for (;;) {
            std::vector<std::vector<std::string>> work;
            bool closing;
            {
                CriticalSection::Lock locked(lock_);
                work.swap(handed_);
                closing = closing_;
            }
            for (size_t b = 0; b < work.size(); ++b) {
                const size_t before = keys_.size();
                const bool keyed = SystemBoundary::Completes(
                    [&] { for (const std::string& text : work[b]) keys_.push_back(keyOf_(text)); });
                if (!keyed) {  // the rest is left to the caller's thread
                    keys_.resize(before);
                    left_.swap(work);
                    leftFrom_ = b;
                    failed_ = true;
                    return;
                }
            }
            if (work.empty()) {
                if (closing) return;
                break;  // wait for more
            }
        }
    }
}

void SortKeyBatch::Stop() {
    if (!thread_) return;
    {
        CriticalSection::Lock locked(lock_);
        closing_ = true;
    }
    SetEvent(wake_.Get());
    thread_.reset();  // joins
}

std::vector<std::string> SortKeyBatch::Finish() {
    if (thread_) {
        if (!waiting_.empty()) Hand(std::move(waiting_));
        waiting_.clear();
        Stop();  // the worker has made every key handed to it, or has given up
    }
    if (failed_) {
        // In adding order: the worker's unfinished batches, then those it never took.
        for (size_t b = leftFrom_; b < left_.size(); ++b)
            for (const std::string& text : left_[b]) keys_.push_back(keyOf_(text));
        for (auto& texts : handed_)
            for (const std::string& text : texts) keys_.push_back(keyOf_(text));
        left_.clear();
        handed_.clear();
        failed_ = false;
    }
    keys_.reserve(keys_.size() + waiting_.size());
    for (const std::string& text : waiting_) keys_.push_back(keyOf_(text));
    waiting_.clear();
    closing_ = false;
    return std::move(keys_);
}

}  // namespace wendrik
