#pragma once
#include <windows.h>

#include <cstdio>
#include <exception>

namespace platform {

// A line for a debugger (OutputDebugStringA: it costs nothing unread): a
// fallback taken, a report dropped, a call from the wrong thread. The
// module keeps no log; this is where such a moment leaves its trace.
class Trace {
public:
    static void Line(const char* what, const char* detail = nullptr) noexcept {
        char line[512];
        std::snprintf(line, sizeof(line), "Wendrik: %s%s%s\n", what, detail ? ": " : "", detail ? detail : "");
        OutputDebugStringA(line);
    }
    // The same, with the text of the exception being handled (inside a catch).
    static void CurrentException(const char* what) noexcept {
        try {
            throw;
        } catch (const std::exception& e) {
            Line(what, e.what());
        } catch (...) {
            Line(what, "an exception of no known kind");
        }
    }
};

}  // namespace platform
