// The check of a written export file, over real files: what makes an export
// whole, read in chunks whose borders fall anywhere, and the pumping wait
// the page runs it in.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "PageHelpers.h"
#include "module/ExportFileCheck.h"
#include "platform/system/Application.h"
#include "platform/system/PumpingWait.h"

using namespace testing_support;
using wendrik::ExportFault;
using wendrik::ExportFileCheck;

namespace {

const char kSid[] = "S-1-5-21-1-2-3-1000";
const std::string kHead = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kMachine = "[HKEY_LOCAL_MACHINE]\r\n\r\n";
const std::string kNative = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node]\r\n\"a\"=\"b\"\r\n\r\n";
const std::string kUser = "[HKEY_CURRENT_USER\\Software]\r\n\r\n";
// What the editor writes last: the user's hive under HKEY_USERS.
const std::string kEnd = std::string("[HKEY_USERS\\") + kSid + "\\Software]\r\n\"a\"=\"b\"\r\n\r\n";

// Everything before the user's hive, then `last`.
std::string EndingWith(const std::string& last) { return kHead + kMachine + kNative + kUser + last; }

// Writes `ascii` as the registry editor does: UTF-16LE after a byte-order mark.
std::string WriteExport(const std::string& ascii, size_t cutBytes = 0) {
    static const std::string folder = FreshFolder("wendrik-export-check");
    static int n = 0;
    std::string path = folder + "\\export" + std::to_string(++n) + ".reg";
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    bytes.resize(bytes.size() - cutBytes);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

ExportFault Check(const std::string& path, bool nativeView = true, size_t chunk = 1 << 20) {
    return ExportFileCheck({.nativeView = nativeView, .userSid = kSid}, chunk).Check(path);
}

// Many small keys, so that a file of any length can be made.
std::string Filler(size_t keys) {
    std::string text;
    for (size_t i = 0; i < keys; ++i)
        text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.k" + std::to_string(i) + "]\r\n@=\"[x]\"\r\n\r\n";
    return text;
}

struct Case {
    const char* what;
    std::string content;
    bool nativeView;
    ExportFault expected;
};

class ExportFileCheckCases : public ::testing::TestWithParam<Case> {};

TEST_P(ExportFileCheckCases, TellsWhatIsMissing) {
    const Case& c = GetParam();
    EXPECT_EQ(c.expected, Check(WriteExport(c.content), c.nativeView)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExportFileCheckCases,
    ::testing::Values(
        Case{"whole", kHead + kMachine + kNative + kUser + kEnd, true, ExportFault::None},
        Case{"whole, in another order", kHead + kUser + kNative + kMachine + kEnd, true, ExportFault::None},
        Case{"the user's hive under HKEY_USERS, as wine writes it",
             kHead + kMachine + kNative + "[HKEY_USERS\\" + kSid + "\\Software]\r\n\r\n", true, ExportFault::None},
        Case{"another user's hive only", kHead + kMachine + kNative + "[HKEY_USERS\\S-1-5-21-9-9-9-1001]\r\n\r\n",
             true, ExportFault::NoUserKeys},
        Case{"a longer SID that starts like the user's",
             kHead + kMachine + kNative + "[HKEY_USERS\\" + kSid + "0]\r\n\r\n", true, ExportFault::NoUserKeys},
        Case{"the 32-bit view on 64-bit Windows", kHead + kMachine + kUser + kEnd, true, ExportFault::No64BitKeys},
        Case{"the 32-bit view on 32-bit Windows", kHead + kMachine + kUser + kEnd, false, ExportFault::None},
        Case{"names in other letter case", kHead + "[hkey_local_machine\\software\\WOW6432NODE\\x]\r\n\r\n" + kUser + kEnd,
             true, ExportFault::None},
        Case{"only the header", kHead, true, ExportFault::NoMachineKeys},
        Case{"no user", kHead + kMachine + kNative, true, ExportFault::NoUserKeys},
        Case{"a key only named like the machine's", kHead + "[HKEY_LOCAL_MACHINEX]\r\n\r\n" + kNative + kUser + kEnd,
             true, ExportFault::None},
        Case{"sections only inside values",
             kHead + "[HKEY_CLASSES_ROOT]\r\n\"v\"=\"[HKEY_LOCAL_MACHINE] [HKEY_CURRENT_USER]\"\r\n\r\n", false,
             ExportFault::NoMachineKeys},
        Case{"ends inside a line", kHead + kMachine + kNative + kUser + "\"half", true, ExportFault::Cut},
        Case{"not an export", "REGEDIT4\r\n\r\n" + kMachine + kUser, false, ExportFault::NotAnExport},
        Case{"half a header", "Windows Registry", false, ExportFault::Cut},
        Case{"cut after a whole line inside the user's hive",
             EndingWith(std::string("[HKEY_USERS\\") + kSid + "\\Software]\r\n\"a\"=\"b\"\r\n"), true,
             ExportFault::Cut},
        Case{"ends with a blank line before the user's hive",
             EndingWith("[HKEY_USERS\\.DEFAULT\\Software]\r\n\r\n"), true,
             ExportFault::NoEnd},
        Case{"ends at HKEY_USERS itself", EndingWith("[HKEY_USERS]\r\n\r\n"), true,
             ExportFault::NoEnd},
        Case{"ends with the user's classes hive",
             EndingWith(std::string("[HKEY_USERS\\") + kSid + "_Classes\\x]\r\n\r\n"), true,
             ExportFault::None},
        Case{"ends with another user's hive after the user's",
             kHead + kMachine + kNative + kEnd + "[HKEY_USERS\\S-1-5-21-9-9-9-1001\\x]\r\n\r\n", true,
             ExportFault::None},
        Case{"the user's hive only on a value's next line",
             EndingWith(std::string("[HKEY_USERS\\.DEFAULT]\r\n\"v\"=\"one\r\n[HKEY_USERS\\") + kSid + "]\"\r\n\r\n"),
             true, ExportFault::NoEnd},
        Case{"sections only on a value's next lines",
             kHead + "[HKEY_CLASSES_ROOT]\r\n\"v\"=\"one\r\n[HKEY_LOCAL_MACHINE]\r\n[HKEY_CURRENT_USER]\"\r\n\r\n" +
                 kEnd,
             false, ExportFault::NoMachineKeys}));

TEST(ExportFileCheckTest, AnOddByteAtTheEndIsACutFile) {
    std::string path = WriteExport(kHead + kMachine + kNative + kUser);
    FILE* f = std::fopen(path.c_str(), "ab");
    std::fputc('\n', f);
    std::fclose(f);
    EXPECT_EQ(ExportFault::Cut, Check(path));
}

TEST(ExportFileCheckTest, AMissingFileIsUnreadable) {
    EXPECT_EQ(ExportFault::Unreadable, Check(FreshFolder("wendrik-export-check-missing") + "\\none.reg"));
}

// Each section the check looks for, moved across the first chunk border
// one code unit at a time: the carry between chunks must lose none of them.
TEST(ExportFileCheckTest, SectionsAcrossAChunkBorderAreFound) {
    const size_t chunk = 1024;  // bytes; about the check's smallest chunk
    const std::string sections[] = {kMachine, kNative, kUser};
    for (int moved = 0; moved < 3; ++moved) {
        std::string others;
        for (int i = 0; i < 3; ++i)
            if (i != moved) others += sections[i];
        for (size_t pad = 0; pad < 600; ++pad) {
            std::string spacer = "[HKEY_CLASSES_ROOT]\r\n\"" + std::string(pad, 'p') + "\"=\"\"\r\n\r\n";
            std::string content = kHead + others + spacer + sections[moved] + Filler(3) + kEnd;
            ASSERT_EQ(ExportFault::None, Check(WriteExport(content), true, chunk)) << moved << " pad " << pad;
            // The same file without its last character is cut.
            ASSERT_EQ(ExportFault::Cut, Check(WriteExport(content, 2), true, chunk)) << moved << " pad " << pad;
        }
    }
}

TEST(ExportFileCheckTest, StopsReadingOnceEverythingIsFoundButStillSeesACutEnd) {
    std::string whole = kHead + kMachine + kNative + kUser + Filler(20000) + kEnd;
    ExportFileCheck check({.nativeView = true, .userSid = kSid}, 64 * 1024);
    EXPECT_EQ(ExportFault::None, check.Check(WriteExport(whole)));
    EXPECT_LT(check.BytesRead(), 2 * whole.size() / 4);
    EXPECT_EQ(ExportFault::Cut, check.Check(WriteExport(whole + "[HKEY_USERS\\x")));
    // The user's keys at the very end: read to the end.
    std::string late = kHead + kMachine + kNative + Filler(20000) + kUser + kEnd;
    EXPECT_EQ(ExportFault::None, check.Check(WriteExport(late)));
    EXPECT_LE(2 + 2 * late.size(), check.BytesRead());
}

// The last section is looked for backwards, a window at a time: a header
// that a window's border cuts, or a last key longer than a window, is still
// seen, and told apart from the hive before the user's.
TEST(ExportFileCheckTest, TheLastSectionIsFoundAcrossTheBackwardWindows) {
    const size_t window = 32 * 1024;
    for (const char* hive : {kSid, ".DEFAULT"}) {
        const ExportFault expected = hive == kSid ? ExportFault::None : ExportFault::NoEnd;
        for (size_t pad = window - 80; pad < window + 8; ++pad) {
            std::string last = "[HKEY_USERS\\" + std::string(hive) + "\\Big]\r\n\"b\"=\"" + std::string(pad, 'x') + "\"\r\n\r\n";
            ASSERT_EQ(expected, Check(WriteExport(EndingWith(last)))) << hive << " " << pad;
        }
        std::string big = "[HKEY_USERS\\" + std::string(hive) + "\\Big]\r\n\"b\"=hex:" + std::string(5 * window, '0') +
                          "\r\n\r\n";
        EXPECT_EQ(expected, Check(WriteExport(EndingWith(big)))) << hive;
    }
}

TEST(ExportFileCheckTest, TheCurrentUsersSidIsTheOneOfThisProcess) {
    std::string sid = ExportFileCheck::CurrentUserSid();
    EXPECT_EQ(0u, sid.rfind("S-1-5-", 0)) << sid;
}

// The page runs the check beside its window: messages are dispatched while
// the work runs, and what the work throws reaches the caller.
HANDLE timerSaw = nullptr;

void CALLBACK SetEventLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetEvent(timerSaw);
}

TEST(RunPumpingTest, MessagesAreDispatchedWhileTheWorkRuns) {
    timerSaw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetTimer(nullptr, 0, 20, SetEventLater);
    DWORD seen = WAIT_FAILED;
    // Only the pumping thread can fire the timer that the work waits for.
    EXPECT_TRUE(platform::PumpingWait::RunPumping([&] { seen = WaitForSingleObject(timerSaw, 10000); }));
    EXPECT_EQ(WAIT_OBJECT_0, seen);
    CloseHandle(timerSaw);
}

TEST(RunPumpingTest, WhatTheWorkThrowsIsRaisedInTheCaller) {
    DWORD workThread = 0;
    EXPECT_THROW(platform::PumpingWait::RunPumping([&] {
                     workThread = GetCurrentThreadId();
                     throw std::runtime_error("out of memory");
                 }),
                 std::runtime_error);
    EXPECT_NE(0u, workThread);
    EXPECT_NE(GetCurrentThreadId(), workThread);
}

}  // namespace
