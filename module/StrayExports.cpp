#include "StrayExports.h"

#include <vector>

#include "BackupFile.h"
#include "filectrl/PathHelpers.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

namespace {
bool Digits(const std::string& text, size_t from, size_t count, bool hex) {
    for (size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9', letter = hex && c >= 'A' && c <= 'F';
        if (!digit && !letter) return false;
    }
    return true;
}

ULONGLONG Ticks(const FILETIME& t) { return static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

// Settles one file; true when it was put in place or deleted.
bool SettleOne(const std::string& temp, const std::string& target, ExportFileCheck& check, bool privateAccess) {
    if (BackupFile::Held(temp)) return false;
    ExportFault fault;
    FILETIME written = {};
    {
        // Opened for nobody else: an editor that still writes it, or a
        // program that reads it, keeps it from us.
        platform::KernelHandle file(CreateFileA(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file) return false;
        fault = check.Check(file.Get());
        if (!GetFileTime(file.Get(), nullptr, nullptr, &written)) fault = ExportFault::Unreadable;
    }
    if (fault != ExportFault::None) return DeleteFileA(temp.c_str()) != FALSE;
    WIN32_FIND_DATAA existing;
    platform::FindHandle find(FindFirstFileA(target.c_str(), &existing));
    if (find && Ticks(existing.ftLastWriteTime) >= Ticks(written)) return DeleteFileA(temp.c_str()) != FALSE;
    bool flushFailed = false;
    return BackupFile::PutInPlace(temp, target, privateAccess, flushFailed) == 0;
}

// "~" + digits + ".reg" + "." + eight hexadecimal digits + `ending`
bool OurName(const std::string& name, const char* ending, std::string& dated) {
    const size_t n = name.size();
    if (n < 1 + 5 + 4 + 13 || name[0] != '~' || name.compare(n - 13, 1, ".") != 0 ||
        name.compare(n - 4, 4, ending) != 0 || !Digits(name, n - 12, 8, true))
        return false;
    const std::string inner = name.substr(1, n - 14);  // "2026127.reg"
    if (inner.size() < 9 || inner.size() > 12 || inner.compare(inner.size() - 4, 4, ".reg") != 0 ||
        !Digits(inner, 0, inner.size() - 4, false))
        return false;
    dated = inner;
    return true;
}
}  // namespace

bool StrayExports::TemporaryName(const std::string& name, std::string& dated) { return OurName(name, ".tmp", dated); }

bool StrayExports::AsideName(const std::string& name, std::string& dated) { return OurName(name, ".old", dated); }

int StrayExports::Settle(const std::string& dir, const ExportFileCheck::Wanted& wanted, bool privateAccess) {
    std::vector<std::string> names, asides;
    {
        WIN32_FIND_DATAA data;
        platform::FindHandle find(FindFirstFileA(JoinPath(dir, "~*.*").c_str(), &data));
        if (!find) return 0;
        do {
            std::string dated;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            if (TemporaryName(data.cFileName, dated)) names.push_back(data.cFileName);
            else if (AsideName(data.cFileName, dated)) asides.push_back(data.cFileName);
        } while (FindNextFileA(find.Get(), &data));
    }
    int settled = 0;
    // First the old backups a broken replace left aside, so that a stray
    // below compares with the file that really is the backup.
    for (const std::string& name : asides) {
        std::string dated;
        AsideName(name, dated);
        const std::string aside = JoinPath(dir, name), target = JoinPath(dir, dated);
        if (BackupFile::Held(aside.substr(0, aside.size() - 4) + ".tmp")) continue;  // a replace runs now
        const bool back = GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES
                              ? MoveFileA(aside.c_str(), target.c_str())
                              : DeleteFileA(aside.c_str());
        if (back) ++settled;
    }
    ExportFileCheck check(wanted);
    for (const std::string& name : names) {
        std::string dated;
        TemporaryName(name, dated);
        if (SettleOne(JoinPath(dir, name), JoinPath(dir, dated), check, privateAccess)) ++settled;
    }
    return settled;
}

}  // namespace wendrik
