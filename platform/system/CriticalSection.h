#pragma once
#include <windows.h>

namespace platform {

// The sole owner of one critical section, made and deleted with the object.
// Entered only through a Lock, so that no path, an error's included, leaves
// it held.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    // Holds the section for its scope.
    class [[nodiscard]] Lock {
    public:
        explicit Lock(CriticalSection& section) : section_(section) { EnterCriticalSection(&section_.section_); }
        ~Lock() { LeaveCriticalSection(&section_.section_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CriticalSection& section_;
    };

    // For tests: true when another thread could enter it now.
    bool Free();

private:
    CRITICAL_SECTION section_;
};

}  // namespace platform
