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
// Case mappings for file names: double-byte characters stay as they are.
std::string AnsiUpperCaseFileName(const std::string& s);
std::string AnsiLowerCaseFileName(const std::string& s);

using FormatArg = std::variant<std::string, int>;
// "%s" takes a string, "%d" an integer, "%%" is a percent sign.
std::string Format(const std::string& pattern, std::initializer_list<FormatArg> args);

}  // namespace platform
