#include "Text.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

// Byte offsets at which characters start, plus the end.
std::vector<size_t> CharStarts(const std::string& s) {
    std::vector<size_t> starts;
    const char* begin = s.c_str();
    const char* end = begin + s.size();
    for (const char* p = begin; p < end;) {
        starts.push_back(static_cast<size_t>(p - begin));
        const char* next = CharNextA(p);
        p = next > p ? next : p + 1;
    }
    starts.push_back(s.size());
    return starts;
}

// Offset just past the last "\" or ":" that is a whole character; 0 when none.
size_t AfterLastDelimiter(const std::string& s) {
    size_t after = 0;
    std::vector<size_t> starts = CharStarts(s);
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
        char c = s[starts[i]];
        if (starts[i + 1] - starts[i] == 1 && (c == '\\' || c == ':')) after = starts[i] + 1;
    }
    return after;
}

// Under a double-byte code page only ASCII letters change case.
std::string MapSingleBytes(const std::string& s, bool upper) {
    CPINFO info = {};
    bool doubleByte = GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
    std::string result = s;
    std::vector<size_t> starts = CharStarts(s);
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
        if (starts[i + 1] - starts[i] != 1) continue;  // a double-byte character stays
        char& c = result[starts[i]];
        if (!doubleByte || static_cast<unsigned char>(c) < 0x80) {
            char one[2] = {c, 0};
            if (upper) CharUpperBuffA(one, 1);
            else CharLowerBuffA(one, 1);
            c = one[0];
        }
    }
    return result;
}

}  // namespace

std::string AnsiLastChar(const std::string& s) {
    if (s.empty()) return "";
    std::vector<size_t> starts = CharStarts(s);
    return s.substr(starts[starts.size() - 2]);
}

size_t CharsPrefixBytes(const std::string& s, size_t count) {
    std::vector<size_t> starts = CharStarts(s);
    return count + 1 < starts.size() ? starts[count] : s.size();
}

int AnsiPos(const std::string& sub, const std::string& s) {
    if (sub.empty()) return 0;
    std::vector<size_t> starts = CharStarts(s);
    for (size_t i = 0; i + 1 < starts.size(); ++i)
        if (s.compare(starts[i], sub.size(), sub) == 0) return static_cast<int>(starts[i]) + 1;
    return 0;
}

std::string ExtractFilePath(const std::string& path) { return path.substr(0, AfterLastDelimiter(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(AfterLastDelimiter(path)); }

std::string ExtractFileDrive(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // Up to, not including, the separator after the share name.
        std::vector<size_t> starts = CharStarts(path);
        int separators = 0;
        for (size_t i = 0; i + 1 < starts.size(); ++i) {
            if (starts[i] < 2) continue;
            if (starts[i + 1] - starts[i] == 1 && path[starts[i]] == '\\' && ++separators == 2)
                return path.substr(0, starts[i]);
        }
        return path;
    }
    return "";
}

std::string AnsiUpperCaseFileName(const std::string& s) { return MapSingleBytes(s, true); }

std::string AnsiLowerCaseFileName(const std::string& s) { return MapSingleBytes(s, false); }

int AnsiCompareStr(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, 0, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

int AnsiCompareText(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                          b.c_str(), static_cast<int>(b.size())) - CSTR_EQUAL;
}

int AnsiCompareFileName(const std::string& a, const std::string& b) {
    return AnsiCompareStr(AnsiLowerCaseFileName(a), AnsiLowerCaseFileName(b));
}

std::string AnsiLowerCase(const std::string& s) {
    std::string result = s;
    if (!result.empty()) CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

size_t AnsiStrScan(const std::string& s, char c) {
    std::vector<size_t> starts = CharStarts(s);
    for (size_t i = 0; i + 1 < starts.size(); ++i)
        if (starts[i + 1] - starts[i] == 1 && s[starts[i]] == c) return starts[i];
    return std::string::npos;
}

bool IsLeadByte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

std::string SortKey(const std::string& s) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(s.size());
    // One call for the usual name; a key too long for the buffer is asked for its size first.
    char buffer[512];
    int n = LCMapStringA(LOCALE_USER_DEFAULT, flags, s.c_str(), length, buffer, sizeof(buffer));
    std::string key;
    if (n > 0) {
        key.assign(buffer, n);
    } else {
        n = LCMapStringA(LOCALE_USER_DEFAULT, flags, s.c_str(), length, nullptr, 0);
        if (n <= 0) return key;
        key.resize(n);
        LCMapStringA(LOCALE_USER_DEFAULT, flags, s.c_str(), length, key.data(), n);
    }
    if (!key.empty() && key.back() == '\0') key.pop_back();  // the key's own terminator
    return key;
}

std::string Format(const std::string& pattern, std::initializer_list<FormatArg> args) {
    std::string result;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            result += c;
            continue;
        }
        char conversion = pattern[++i];
        if (conversion == '%') {
            result += '%';
        } else if ((conversion == 's' || conversion == 'd') && next != args.end()) {
            const FormatArg& arg = *next++;
            if (const std::string* text = std::get_if<std::string>(&arg)) result += *text;
            else result += std::to_string(std::get<int>(arg));
        } else {
            result += '%';
            result += conversion;
        }
    }
    return result;
}

}  // namespace platform
