#pragma once
#include <initializer_list>
#include <string>
#include <variant>

namespace platform {

// String and path functions over ANSI text in the process's code page. Every
// search is multi-byte aware: under a double-byte code page a trail byte is
// never taken for a "\" or ":".

// The last character of `s`, both bytes of it under a double-byte code
// page; "" for an empty string.
std::string AnsiLastChar(const std::string& s);
// The number of bytes that the first `count` characters of `s` take (all of
// `s` when it has fewer).
size_t CharsPrefixBytes(const std::string& s, size_t count);
// 1-based byte position of the first `sub` in `s` that starts on a character
// boundary; 0 when there is none.
int AnsiPos(const std::string& sub, const std::string& s);
// The path up to and including its last "\" or ":".
std::string ExtractFilePath(const std::string& path);
// What follows the last "\" or ":".
std::string ExtractFileName(const std::string& path);
// "X:" for a drive path, "\\server\share" for a network path, else "".
std::string ExtractFileDrive(const std::string& path);
// ASCII letters only (drive letters, the registry's key names): every
// other byte as it is, whatever the code page.
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// Case mappings for file names: double-byte characters stay as they are.
std::string AnsiUpperCaseFileName(const std::string& s);
std::string AnsiLowerCaseFileName(const std::string& s);

// Locale-aware comparisons in the user's locale: negative, 0 or positive.
int AnsiCompareStr(const std::string& a, const std::string& b);   // case counts
int AnsiCompareText(const std::string& a, const std::string& b);  // case does not
// File names compare without case, double-byte characters as they are.
int AnsiCompareFileName(const std::string& a, const std::string& b);
// The whole string in lower case, double-byte characters as the system maps them.
std::string AnsiLowerCase(const std::string& s);
// Byte offset of the first character `c` that is a whole character; npos when none.
size_t AnsiStrScan(const std::string& s, char c);
// True when `c` starts a double-byte character in the process's code page.
bool IsLeadByte(char c);
// The key under which `s` sorts, case ignored: comparing two keys byte-wise
// gives what AnsiCompareText gives for the strings.
std::string SortKey(const std::string& s);

using FormatArg = std::variant<std::string, int>;
// "%s" takes a string, "%d" an integer, "%%" is a percent sign.
std::string Format(const std::string& pattern, std::initializer_list<FormatArg> args);

}  // namespace platform
