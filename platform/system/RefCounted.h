#pragma once
#include <windows.h>
#include <utility>

namespace platform {

// A result shared by a thread of ours and whoever waits for it: a count
// that any thread may change, and the object goes with the last holder.
class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    void AddRef() const { InterlockedIncrement(&refs_); }
    void Release() const {
        if (InterlockedDecrement(&refs_) == 0) delete this;
    }

protected:
    virtual ~RefCounted() = default;

private:
    mutable LONG refs_ = 0;
};

// One holder of a shared object; copies are further holders.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* object) : object_(object) {
        if (object_) object_->AddRef();
    }
    Ref(const Ref& other) : Ref(other.object_) {}
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Ref() {
        if (object_) object_->Release();
    }

    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    T* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// Makes a shared object with its first holder.
template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
    return Ref<T>(new T(std::forward<Args>(args)...));
}

}  // namespace platform
