#pragma once
#include <windows.h>
#include <stdexcept>
#include <string>

namespace platform {

// Base of every failure the layer raises. Captures GetLastError() first,
// before any later call can overwrite it.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message)
        : std::runtime_error(message), lastError_(GetLastError()) {}
    DWORD LastError() const { return lastError_; }

private:
    DWORD lastError_;
};

}  // namespace platform
