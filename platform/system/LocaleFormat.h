#pragma once
#include <windows.h>
#include <string>

namespace platform {

// Numbers, dates and times as the user has chosen to see them (the
// regional settings), not as the program's language writes them.
class LocaleFormat {
public:
    // `value` with `digits` decimals and the user's separators: 95,3 or 95.3.
    static std::string Decimal(double value, int digits);
    // A moment in the user's short date and time without seconds:
    // "09.12.2026 14:31" or "12/9/2026 2:31 PM"; "" when the system cannot say.
    static std::string DateAndTime(const FILETIME& utc);
};

}  // namespace platform
