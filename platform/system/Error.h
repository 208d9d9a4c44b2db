#pragma once
#include <windows.h>
#include <stdexcept>
#include <string>

namespace platform {

// Base of every failure the layer raises, with the system's code when a
// call of the system failed: taken by the thrower right after that call
// (`const DWORD error = GetLastError();`), before building the message or
// anything else can overwrite it. 0 when no system call is to blame.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message, DWORD lastError = 0)
        : std::runtime_error(message), lastError_(lastError) {}
    DWORD LastError() const { return lastError_; }

private:
    DWORD lastError_;
};

}  // namespace platform
