#pragma once
#include <windows.h>
#include <utility>

namespace platform {

// Sole owner of one GDI object; deletes it when replaced or destroyed.
class GdiHandle {
public:
    GdiHandle() = default;
    explicit GdiHandle(HGDIOBJ object) : object_(object) {}
    ~GdiHandle() { Reset(); }
    GdiHandle(GdiHandle&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdiHandle& operator=(GdiHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    GdiHandle(const GdiHandle&) = delete;
    GdiHandle& operator=(const GdiHandle&) = delete;

    void Reset(HGDIOBJ object = nullptr) {
        if (object_) {
            DeleteObject(object_);
            --live_;
        }
        object_ = object;
        if (object_) ++live_;
    }
    HGDIOBJ Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // Objects owned right now, for leak tests (GetGuiResources answers 0
    // under some systems).
    static long Live() { return live_; }

private:
    HGDIOBJ object_ = nullptr;
    static inline long live_ = 0;
};

}  // namespace platform
