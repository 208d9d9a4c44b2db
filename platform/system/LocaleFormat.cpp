#include "LocaleFormat.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
std::string LocaleText(LCTYPE what, const char* fallback) {
    char text[16] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, what, text, sizeof(text)) > 0 ? text : fallback;
}

UINT LocaleNumber(LCTYPE what, UINT fallback) {
    std::string text = LocaleText(what, "");
    return text.empty() ? fallback : static_cast<UINT>(std::atoi(text.c_str()));
}
}  // namespace

std::string LocaleFormat::Decimal(double value, int digits) {
    char plain[64];
    std::snprintf(plain, sizeof(plain), "%.*f", digits, value);  // the C locale's ".", as the call wants it
    std::string decimal = LocaleText(LOCALE_SDECIMAL, "."), thousand = LocaleText(LOCALE_STHOUSAND, ",");
    // The grouping "3;0" (or "3") groups by three; the call takes it as 3.
    NUMBERFMTA format = {};
    format.NumDigits = static_cast<UINT>(digits);
    format.LeadingZero = LocaleNumber(LOCALE_ILZERO, 1);
    format.Grouping = LocaleNumber(LOCALE_SGROUPING, 3);
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = thousand.data();
    format.NegativeOrder = LocaleNumber(LOCALE_INEGNUMBER, 1);
    char text[64];
    if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, plain, &format, text, sizeof(text)) > 0) return text;
    return plain;
}

std::string LocaleFormat::DateAndTime(const FILETIME& utc) {
    FILETIME local;
    SYSTEMTIME moment;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &moment)) return "";
    char date[80], time[80];
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, date, sizeof(date)) <= 0 ||
        GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &moment, nullptr, time, sizeof(time)) <= 0)
        return "";
    return std::string(date) + " " + time;
}

}  // namespace platform
