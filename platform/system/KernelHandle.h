#pragma once
#include <windows.h>
#include <utility>

namespace platform {

// Sole owner of one kernel handle (a file, thread, process or event);
// closes it when replaced or destroyed. INVALID_HANDLE_VALUE, which the
// file calls return for "none", is taken as no handle.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) { Reset(handle); }
    ~KernelHandle() { Reset(); }
    KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    void Reset(HANDLE handle = nullptr) {
        if (handle_) CloseHandle(handle_);
        handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }
    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace platform
