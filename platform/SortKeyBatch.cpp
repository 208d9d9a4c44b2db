#include "SortKeyBatch.h"

#include "Text.h"

namespace platform {

namespace {
constexpr size_t kHandOver = 256;  // strings handed to the worker at a time
}

SortKeyBatch::SortKeyBatch() { InitializeCriticalSection(&lock_); }

SortKeyBatch::~SortKeyBatch() {
    Stop();
    if (wake_) CloseHandle(wake_);
    DeleteCriticalSection(&lock_);
}

void SortKeyBatch::Add(std::string text) {
    waiting_.push_back(std::move(text));
    if (!thread_ && waiting_.size() == ThreadFrom) {
        if (!wake_) wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (wake_) thread_ = CreateThread(nullptr, 0, Work, this, 0, nullptr);
        if (!thread_) return;  // no thread to spare: all keys at the end, here
    }
    if (thread_ && waiting_.size() >= kHandOver) Hand(std::move(waiting_)), waiting_.clear();
}

void SortKeyBatch::Hand(std::vector<std::string>&& texts) {
    EnterCriticalSection(&lock_);
    handed_.push_back(std::move(texts));
    LeaveCriticalSection(&lock_);
    SetEvent(wake_);
}

DWORD WINAPI SortKeyBatch::Work(void* parameter) {
    auto* self = static_cast<SortKeyBatch*>(parameter);
    for (;;) {
        WaitForSingleObject(self->wake_, INFINITE);
        for (;;) {
            std::vector<std::vector<std::string>> work;
            EnterCriticalSection(&self->lock_);
            work.swap(self->handed_);
            bool closing = self->closing_;
            LeaveCriticalSection(&self->lock_);
            for (auto& texts : work)
                for (const std::string& text : texts) self->keys_.push_back(SortKey(text));
            if (work.empty()) {
                if (closing) return 0;
                break;  // wait for more
            }
        }
    }
}

void SortKeyBatch::Stop() {
    if (!thread_) return;
    EnterCriticalSection(&lock_);
    closing_ = true;
    LeaveCriticalSection(&lock_);
    SetEvent(wake_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

std::vector<std::string> SortKeyBatch::Finish() {
    if (thread_) {
        if (!waiting_.empty()) Hand(std::move(waiting_));
        Stop();  // the worker has made every key handed to it
    } else {
        keys_.reserve(keys_.size() + waiting_.size());
        for (const std::string& text : waiting_) keys_.push_back(SortKey(text));
    }
    waiting_.clear();
    closing_ = false;
    return std::move(keys_);
}

}  // namespace platform
