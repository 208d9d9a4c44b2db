#pragma once
#include "Trace.h"

namespace platform {

// The one way in from the system: window procedures, the keyboard hook,
// thread procedures, the module's exports and the demo host's window. No
// exception passes it (the system cannot unwind ours); `fallback` gives
// the answer the caller expects instead, chosen per entry, and a fallback
// that fails itself gives the result type's zero.
class SystemBoundary {
public:
    template <class Work, class Fallback>
    static auto Enter(Work&& work, Fallback&& fallback) noexcept -> decltype(work()) {
        try {
            return work();
        } catch (...) {
            Trace::CurrentException("a way in from the system failed; its fallback answers");
            try {
                return fallback();
            } catch (...) {
                Trace::CurrentException("the fallback failed too; the zero of its type answers");
                return decltype(work()){};
            }
        }
    }

    // For work whose only answer is whether it got through: true when it
    // ran to its end, false when it threw.
    template <class Work>
    static bool Completes(Work&& work) noexcept {
        return Enter([&] { return work(), true; }, [] { return false; });
    }
};

}  // namespace platform
