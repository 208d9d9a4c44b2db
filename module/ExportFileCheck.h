#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace wendrik {

// Why a written file is not a whole export of the registry.
enum class ExportFault {
    None,
    NothingWritten, // no file, or the one there was left as it was
    Unreadable,     // could not be opened or read
    NotAnExport,    // does not begin as the registry editor's exports do
    Cut,            // does not end as the editor ends a whole export: after a line, a blank line
    NoEnd,          // the last section is not the user's hive under HKEY_USERS, which the editor writes last
    NoMachineKeys,  // no HKEY_LOCAL_MACHINE
    NoUserKeys,     // neither HKEY_CURRENT_USER nor the user's hive under HKEY_USERS
    No64BitKeys,    // on 64-bit Windows: the 32-bit editor's view, without WOW6432Node
};

// Reads an export of the registry editor (UTF-16LE as Windows 2000 and on
// write it, "REGEDIT4" in the ANSI code page as the editors of Windows 95,
// 98, ME and NT 4.0 do) in bounded chunks,
// never the whole file at once (real exports hold hundreds of megabytes),
// and tells whether it is whole: the editor's header, the sections of
// HKEY_LOCAL_MACHINE and of the current user, with `nativeView` also
// HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node, which only the 64-bit view of
// the registry holds; and the end the editor writes: the last section under
// HKEY_USERS, at or after the user's hive (the editor writes HKEY_USERS last,
// its hives in order), and a closing blank line. The user's keys count as
// HKEY_CURRENT_USER or as HKEY_USERS\<the user's SID>: the same hive, and
// some editors (wine's) write it only by the second name. A section is a
// line "[...]" after a blank line, as the editor writes every one: a string
// value may hold a line break and "[HKEY_" after it.
class ExportFileCheck {
public:
    struct Wanted {
        bool nativeView = false;
        std::string userSid;  // "" when unknown: then any hive under HKEY_USERS counts
    };
    explicit ExportFileCheck(Wanted wanted, size_t chunkBytes = 1 << 20);

    ExportFault Check(const std::string& path);
    // The same for a file open for reading at its start.
    ExportFault Check(HANDLE file);
    // How much of the file the last check read: it stops reading once
    // everything is found, and then reads only the file's end, backwards.
    std::uint64_t BytesRead() const { return bytesRead_; }

    // The SID of the user this process runs as ("S-1-5-21-..."); "" when the
    // system cannot say.
    static std::string CurrentUserSid();

private:
    struct Section {
        std::vector<std::uint16_t> name;  // upper case
        int flag;
    };
    ExportFault Scan(HANDLE file);
    // Up to `count` code units from the file's position (a byte is one in
    // an ANSI export); `got` says how many came.
    bool ReadUnits(HANDLE file, std::uint16_t* units, size_t count, size_t& got);
    // Exactly `count` units at unit `at`.
    bool ReadAt(HANDLE file, std::uint64_t at, std::uint16_t* units, size_t count);
    // The end: the closing blank line, and the last section under HKEY_USERS.
    ExportFault CheckEnd(HANDLE file, std::uint64_t units);
    bool LastSectionIsTheUsers(const std::uint16_t* name, size_t available) const;
    void SectionAt(const std::uint16_t* name, size_t available);

    std::vector<Section> sections_;
    std::vector<std::uint16_t> users_;  // "HKEY_USERS", and the user's SID ("" when unknown)
    std::vector<std::uint16_t> sid_;
    std::vector<const Section*> missing_;  // while a check runs
    size_t chunkUnits_;
    int wantedFlags_ = 0;
    int foundFlags_ = 0;
    size_t lookAhead_ = 0;  // the longest name, and the character after it
    std::uint64_t bytesRead_ = 0;
    bool ansi_ = false;      // the file is a REGEDIT4 export
    std::vector<char> bytes_;  // an ANSI chunk before it is widened
};

}  // namespace wendrik
