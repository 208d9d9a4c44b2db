#pragma once
#include <string>

namespace platform {

// The last character of `s`, both bytes of it under a double-byte code page;
// "" for an empty string.
std::string AnsiLastChar(const std::string& s);

}  // namespace platform
