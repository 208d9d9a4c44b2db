#include "Text.h"

#include <windows.h>

namespace platform {

std::string AnsiLastChar(const std::string& s) {
    if (s.empty()) return "";
    const char* begin = s.c_str();
    const char* last = CharPrevA(begin, begin + s.size());
    return std::string(last, begin + s.size());
}

}  // namespace platform
