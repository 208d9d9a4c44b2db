#include "ExportFileCheck.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "platform/system/CompatibleCalls.h"
#include "platform/system/SecurityCalls.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

namespace {

constexpr std::uint16_t kOpen = '[';
constexpr std::uint16_t kLineEnd = '\n';
enum : int { kMachine = 1, kUser = 2, kNative = 4 };

// What the registry editor writes first: from Windows 2000 on the
// byte-order mark and its header line in UTF-16; the editors of Windows 95,
// 98, ME and NT 4.0 "REGEDIT4" in the ANSI code page, one unit a byte.
const std::vector<std::uint16_t>& Header(bool ansi) {
    static const auto make = [](std::vector<std::uint16_t> units, const char* line) {
        for (const char* c = line; *c; ++c) units.push_back(static_cast<std::uint8_t>(*c));
        return units;
    };
    static const std::vector<std::uint16_t> wide = make({0xFEFF}, "Windows Registry Editor Version 5.00\r\n");
    static const std::vector<std::uint16_t> narrow = make({}, "REGEDIT4\r\n");
    return ansi ? narrow : wide;
}

std::vector<std::uint16_t> Units(const std::string& ascii) {
    std::vector<std::uint16_t> units;
    for (char c : ascii) units.push_back(static_cast<std::uint16_t>(c >= 'a' && c <= 'z' ? c - 32 : c));
    return units;
}

std::uint16_t Upper(std::uint16_t unit) { return unit >= 'a' && unit <= 'z' ? unit - 32 : unit; }

// Collects into `starts` the positions in [from, limit) of each '[' that
// begins a line (the unit before it, which the caller provides, is '\n').
void LineStartsPlain(const std::uint16_t* units, size_t from, size_t limit, std::vector<std::uint32_t>& starts) {
    for (size_t i = from; i < limit; ++i)
        if (units[i] == kOpen && units[i - 1] == kLineEnd) starts.push_back(static_cast<std::uint32_t>(i));
}

// The same sixteen code units at a time, where the processor has SSE2.
__attribute__((target("sse2"), force_align_arg_pointer))
void LineStartsSse2(const std::uint16_t* units, size_t from, size_t limit, std::vector<std::uint32_t>& starts) {
    const __m128i open = _mm_set1_epi16(static_cast<short>(kOpen));
    const __m128i lineEnd = _mm_set1_epi16(static_cast<short>(kLineEnd));
    size_t i = from;
    for (; i + 16 <= limit; i += 16) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i + 8));
        // One bit a code unit: the compares give 0xFFFF, packed to 0xFF.
        unsigned opens = _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a, open), _mm_cmpeq_epi16(b, open)));
        if (!opens) continue;
        unsigned ends =
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a, lineEnd), _mm_cmpeq_epi16(b, lineEnd)));
        for (unsigned hits = opens & ((ends << 1) | (units[i - 1] == kLineEnd)); hits; hits &= hits - 1)
            starts.push_back(static_cast<std::uint32_t>(i + __builtin_ctz(hits)));
    }
    LineStartsPlain(units, i, limit, starts);
}

using LineStartsFn = void (*)(const std::uint16_t*, size_t, size_t, std::vector<std::uint32_t>&);

LineStartsFn LineStarts() {
    // Asked of the system when first needed: the compiler's own CPU probe
    // would run its CPUID questions every time the module is loaded.
    static const LineStartsFn find =
        platform::CompatibleCalls::ProcessorFeature(PF_XMMI64_INSTRUCTIONS_AVAILABLE) ? LineStartsSse2 : LineStartsPlain;
    return find;
}

}  // namespace

ExportFileCheck::ExportFileCheck(Wanted wanted, size_t chunkBytes) {
    sections_.push_back({Units("HKEY_LOCAL_MACHINE"), kMachine});
    sections_.push_back({Units("HKEY_CURRENT_USER"), kUser});
    sections_.push_back({Units(wanted.userSid.empty() ? "HKEY_USERS" : "HKEY_USERS\\" + wanted.userSid), kUser});
    wantedFlags_ = kMachine | kUser;
    users_ = Units("HKEY_USERS");
    sid_ = Units(wanted.userSid);
    if (wanted.nativeView) {
        sections_.push_back({Units("HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432NODE"), kNative});
        wantedFlags_ |= kNative;
    }
    for (const Section& s : sections_) lookAhead_ = std::max(lookAhead_, s.name.size() + 1);
    // A chunk holds the header and leaves room beyond what is carried over.
    chunkUnits_ = std::max(chunkBytes / 2, 4 * (lookAhead_ + Header(false).size()));
}

std::string ExportFileCheck::CurrentUserSid() {
    // Windows 95, 98 and ME keep a user's keys under the user's name, if at all.
    if (!platform::CompatibleCalls::NtFamily()) return "";
    const platform::SecurityCalls& security = platform::SecurityCalls::Get();
    HANDLE raw = nullptr;
    if (!security.OpenProcessToken || !security.GetTokenInformation ||
        !security.OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return "";
    platform::KernelHandle token(raw);
    DWORD size = 0;
    security.GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return "";
    std::vector<char> buffer(size);
    if (!security.GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) return "";
    return platform::SecurityCalls::SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
}

void ExportFileCheck::SectionAt(const std::uint16_t* name, size_t available) {
    // Only the sections still missing are looked at; the first letter after
    // "HKEY_" and the character after the name reject nearly every other key.
    for (size_t k = 0; k < missing_.size(); ++k) {
        const Section& s = *missing_[k];
        const size_t n = s.name.size();
        if (available <= n || Upper(name[5]) != s.name[5] || (name[n] != ']' && name[n] != '\\')) continue;
        size_t i = 0;
        while (i < n && Upper(name[i]) == s.name[i]) ++i;
        if (i < n) continue;
        foundFlags_ |= s.flag;
        missing_.erase(missing_.begin() + static_cast<std::ptrdiff_t>(k--));
    }
}

ExportFault ExportFileCheck::Check(const std::string& path) {
    platform::KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        bytesRead_ = 0;
        return ExportFault::Unreadable;
    }
    return Check(file.Get());
}

ExportFault ExportFileCheck::Check(HANDLE file) {
    bytesRead_ = 0;
    foundFlags_ = 0;
    missing_.clear();
    for (const Section& s : sections_) missing_.push_back(&s);
    return Scan(file);
}

bool ExportFileCheck::ReadUnits(HANDLE file, std::uint16_t* units, size_t count, size_t& got) {
    DWORD read = 0;
    if (!ansi_) {
        const bool ok = ReadFile(file, units, static_cast<DWORD>(count * 2), &read, nullptr) != FALSE;
        bytesRead_ += read;
        got = read / 2;  // half a unit at the end: the size says it is cut
        return ok;
    }
    bytes_.resize(count);
    const bool ok = ReadFile(file, bytes_.data(), static_cast<DWORD>(count), &read, nullptr) != FALSE;
    bytesRead_ += read;
    for (DWORD i = 0; i < read; ++i) units[i] = bytes_[i];
    got = read;
    return ok;
}

bool ExportFileCheck::ReadAt(HANDLE file, std::uint64_t at, std::uint16_t* units, size_t count) {
    size_t got = 0;
    return platform::CompatibleCalls::Seek(file, ansi_ ? at : at * 2) && ReadUnits(file, units, count, got) &&
           got == count;
}

namespace {
// A section begins where a line "[" follows a blank line: the unit before is
// '\n', and the two before that "\n\r". `at` is at least 3.
bool SectionStart(const std::uint16_t* units, size_t at) {
    return units[at] == kOpen && units[at - 1] == kLineEnd && units[at - 2] == '\r' && units[at - 3] == kLineEnd;
}
}  // namespace

ExportFault ExportFileCheck::Scan(HANDLE file) {
    std::uint64_t size = 0;
    if (!platform::CompatibleCalls::FileSize(file, size)) return ExportFault::Unreadable;
    {
        char start[8] = {};
        DWORD read = 0;
        if (!ReadFile(file, start, sizeof(start), &read, nullptr) || !platform::CompatibleCalls::Seek(file, 0))
            return ExportFault::Unreadable;
        ansi_ = read == sizeof(start) && std::memcmp(start, "REGEDIT4", 8) == 0;
    }
    const std::vector<std::uint16_t>& header = Header(ansi_);
    const LineStartsFn lineStarts = LineStarts();
    std::vector<std::uint32_t> starts;
    starts.reserve(chunkUnits_ / 32);
    // What a chunk leaves unscanned goes to the front for the next one: a
    // name that the border cuts, and the three units before it.
    constexpr size_t kBefore = 3;
    std::vector<std::uint16_t> buffer(lookAhead_ + kBefore + chunkUnits_);
    std::uint16_t* const units = buffer.data();
    size_t have = 0;
    size_t from = header.size();  // where the scan goes on; after the first chunk kBefore
    bool end = false;
    for (bool first = true; !end; first = false) {
        size_t got = 0;
        if (!ReadUnits(file, units + have, chunkUnits_, got)) return ExportFault::Unreadable;
        end = got < chunkUnits_;  // a file gives less than asked only at its end
        const size_t n = have + got;
        if (first) {
            size_t compared = std::min(n, header.size());
            if (!std::equal(header.begin(), header.begin() + compared, units)) return ExportFault::NotAnExport;
            if (n < header.size()) return ExportFault::Cut;
        }
        const size_t limit = end ? n : n - lookAhead_;
        starts.clear();
        if (from < limit) lineStarts(units, from, limit, starts);
        for (std::uint32_t at : starts) {
            if (!SectionStart(units, at)) continue;
            SectionAt(units + at + 1, n - at - 1);
            if (foundFlags_ == wantedFlags_) break;
        }
        if (foundFlags_ == wantedFlags_) break;
        have = n - limit + kBefore;
        std::memmove(units, units + limit - kBefore, have * 2);
        from = kBefore;
    }
    if (!ansi_ && size % 2) return ExportFault::Cut;
    const ExportFault ending = CheckEnd(file, ansi_ ? size : size / 2);
    if (ending == ExportFault::Cut || ending == ExportFault::Unreadable) return ending;
    if (!(foundFlags_ & kMachine)) return ExportFault::NoMachineKeys;
    if (!(foundFlags_ & kUser)) return ExportFault::NoUserKeys;
    if (!(foundFlags_ & kNative) && (wantedFlags_ & kNative)) return ExportFault::No64BitKeys;
    return ending;
}

ExportFault ExportFileCheck::CheckEnd(HANDLE file, std::uint64_t total) {
    // Backwards from the end, a window at a time, each one overlapping the
    // one after it by a header's beginning: a long last key (a large binary
    // value) costs a few windows, never the whole file in memory.
    const size_t window = 32 * 1024, keep = users_.size() + sid_.size() + 3;
    std::vector<std::uint16_t> buffer(window + keep);
    static const std::uint16_t kClosing[] = {'\r', kLineEnd, '\r', kLineEnd};
    if (total < 4) return ExportFault::Cut;
    for (std::uint64_t hi = total;;) {
        const std::uint64_t lo = hi > window ? hi - window : 0;
        const size_t count = static_cast<size_t>(std::min(total, hi + keep) - lo);
        if (!ReadAt(file, lo, buffer.data(), count)) return ExportFault::Unreadable;
        if (hi == total && !std::equal(kClosing, kClosing + 4, buffer.data() + count - 4)) return ExportFault::Cut;
        for (size_t i = static_cast<size_t>(hi - lo); i-- > 3;)
            if (SectionStart(buffer.data(), i))
                return LastSectionIsTheUsers(buffer.data() + i + 1, count - i - 1) ? ExportFault::None
                                                                                  : ExportFault::NoEnd;
        if (lo == 0) return ExportFault::NoEnd;
        hi = lo + 3;  // the units that had too few before them in this window
    }
}

bool ExportFileCheck::LastSectionIsTheUsers(const std::uint16_t* name, size_t available) const {
    const size_t n = users_.size();
    if (available <= n || name[n] != '\\') return false;
    for (size_t i = 0; i < n; ++i)
        if (Upper(name[i]) != users_[i]) return false;
    if (sid_.empty()) return true;
    // The hive's name, compared as the editor orders them: the user's own
    // or one after it (its "_Classes" hive, another user's).
    size_t end = n + 1;
    while (end < available && name[end] != '\\' && name[end] != ']') ++end;
    std::vector<std::uint16_t> hive;
    for (size_t i = n + 1; i < end; ++i) hive.push_back(Upper(name[i]));
    return !std::lexicographical_compare(hive.begin(), hive.end(), sid_.begin(), sid_.end());
}

}  // namespace wendrik
