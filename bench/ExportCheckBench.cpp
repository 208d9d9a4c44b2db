// The check of a written export file against reading the same file once
// with plain ReadFile, chunk by chunk into one buffer, in the same run.
//   export_check_bench [megabytes]   (default 300, the size of a large real export)
// The file is made once, shaped as wine's editor writes one: the user's hive
// last, so that the check has to read all of it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchHarness.h"
#include "module/ExportFileCheck.h"

namespace {

using bench::Now;

constexpr DWORD kChunk = 1 << 20;  // the check's own chunk size

void Put(std::vector<char>& out, const std::string& ascii) {
    for (char c : ascii) {
        out.push_back(c);
        out.push_back(0);
    }
}

// Writes a file of about `megabytes` MB: machine keys, WOW6432Node past the
// middle, the user's hive at the end.
bool MakeExport(const std::string& path, int megabytes, const std::string& sid) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const unsigned long long total = static_cast<unsigned long long>(megabytes) << 20;
    unsigned long long written = 0;
    std::vector<char> out{'\xFF', '\xFE'};
    Put(out, "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE]\r\n\r\n");
    bool native = false;
    for (unsigned long i = 0; written + out.size() < total - 4096; ++i) {
        if (!native && written > total * 6 / 10) {
            Put(out, "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node]\r\n\r\n");
            native = true;
        }
        Put(out, "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{" + std::to_string(i * 7919) +
                     "-0000-0000}\\InprocServer32]\r\n@=\"C:\\\\Windows\\\\System32\\\\[shell].dll\"\r\n"
                     "\"ThreadingModel\"=\"Apartment\"\r\n\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0a,\\\r\n"
                     "  0b,0c,0d,0e,0f\r\n\r\n");
        if (out.size() > kChunk) {
            DWORD n = 0;
            WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
            written += n;
            out.clear();
        }
    }
    Put(out, "[HKEY_USERS\\" + sid + "\\Software\\Morvane]\r\n\"a\"=\"b\"\r\n\r\n");
    DWORD n = 0;
    WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
    CloseHandle(file);
    return true;
}

double ReadOnce(const std::string& path, std::vector<char>& buffer) {
    double start = Now();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    DWORD got = 0;
    unsigned long long sum = 0;
    while (ReadFile(file, buffer.data(), kChunk, &got, nullptr) && got) sum += static_cast<unsigned char>(buffer[got - 1]);
    CloseHandle(file);
    double took = Now() - start;
    if (sum == 1) std::printf(" ");  // the bytes are used, so the reads stay
    return took;
}

}  // namespace

int main(int argc, char** argv) {
    int megabytes = argc > 1 ? std::atoi(argv[1]) : 300;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "wendrik-bench-export-" + std::to_string(megabytes) + ".reg";
    const std::string sid = wendrik::ExportFileCheck::CurrentUserSid();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) && !MakeExport(path, megabytes, sid)) {
        std::printf("cannot write %s\n", path.c_str());
        return 1;
    }
    std::vector<char> buffer(kChunk);
    wendrik::ExportFileCheck check({.nativeView = true, .userSid = sid});
    wendrik::ExportFault fault = wendrik::ExportFault::None;
    bench::Pairs pairs = bench::Interleave(
        15, 2,
        [&] {
            double start = Now();
            fault = check.Check(path);
            return Now() - start;
        },
        [&] { return ReadOnce(path, buffer); });
    char what[96];
    std::snprintf(what, sizeof(what), "export check, %d MB file", megabytes);
    bench::PrintLine("Export check against one plain ReadFile pass over the same file, 1 MB chunks, 15 pairs");
    bench::PrintPairs(what, pairs, 1.10);
    char line[160];
    std::snprintf(line, sizeof(line), "  the check read %.1f MB and found the file %s", check.BytesRead() / 1048576.0,
                  fault == wendrik::ExportFault::None ? "whole" : "NOT whole");
    bench::PrintLine(line);
    return fault == wendrik::ExportFault::None ? 0 : 1;
}
