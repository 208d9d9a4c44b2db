#pragma once
#include <windows.h>
#include <utility>

namespace platform {

// Sole owner of one handle of a kind that Traits describes: its type, the
// value that means "none", how it is freed. Frees it when replaced or
// destroyed; move-only. Each kind counts the handles owned right now, for
// leak tests (GetGuiResources answers 0 under some systems).
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) { Reset(handle); }
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Handle{});  // counted already
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    void Reset(Handle handle = Handle{}) {
        if (handle == handle_ && handle_) return;  // the one already held: never freed under its owner
        if (handle_) {
            const DWORD error = GetLastError();  // what the caller's failed call left, for it to read
            Traits::Free(handle_);
            SetLastError(error);
            InterlockedDecrement(&Count());
        }
        handle_ = Traits::IsNone(handle) ? Handle{} : handle;
        if (handle_) InterlockedIncrement(&Count());
    }
    // Gives the handle up without freeing it: whoever takes it must free it.
    [[nodiscard]] Handle Release() {
        if (handle_) InterlockedDecrement(&Count());
        return std::exchange(handle_, Handle{});
    }
    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

    static long Live() { return InterlockedCompareExchange(&Count(), 0, 0); }

private:
    // The count of owned handles: the kind's own, or one that kinds share
    // (Traits::Count, as every kind of GDI object does).
    static LONG& Count() {
        if constexpr (requires { Traits::Count(); }) {
            return Traits::Count();
        } else {
            static LONG live = 0;  // kernel handles also go on worker threads
            return live;
        }
    }

    Handle handle_{};
};

// The traits of a handle kind whose "none" is null; the kind adds its Free.
template <class H>
struct NullIsNone {
    using Handle = H;
    static bool IsNone(Handle h) { return !h; }
};

// The traits of a HANDLE kind whose "none" is null or, as the file calls
// give it, INVALID_HANDLE_VALUE.
struct NullOrInvalidIsNone {
    using Handle = HANDLE;
    static bool IsNone(Handle h) { return !h || h == INVALID_HANDLE_VALUE; }
};

// A kernel object (file, thread, process, event).
struct KernelHandleTraits : NullOrInvalidIsNone {
    static void Free(Handle h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A loaded library.
struct ModuleHandleTraits : NullIsNone<HMODULE> {
    static void Free(Handle h) { FreeLibrary(h); }
};
using ModuleHandle = UniqueHandle<ModuleHandleTraits>;

// An open registry key (never a predefined root: those are not closed).
struct RegistryKeyTraits : NullIsNone<HKEY> {
    static void Free(Handle h) { RegCloseKey(h); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// A file search.
struct FindHandleTraits : NullOrInvalidIsNone {
    static void Free(Handle h) { FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

}  // namespace platform
