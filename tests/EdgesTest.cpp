// The edges to the system under load: libraries bound by threads that ask
// at once, locks left on an error, the shared quiet-errors count, one probe
// per hanging root, a drive change refused half-way, and folder names
// outside the code page told apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "FakeSystem.h"
#include "ListHelpers.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/DriveQueries.h"
#include "filectrl/SortedStrings.h"
#include "platform/system/CriticalSection.h"
#include "platform/system/Files.h"
#include "platform/system/InOutError.h"
#include "platform/system/QuietErrors.h"
#include "platform/system/SystemFunctions.h"

using namespace testing_support;

namespace {

// First in this process, before anything binds mpr: eight threads ask for
// a connection at the same moment. Each must get the library's answer, not
// the "not supported" of a binding still under way in another thread.
HANDLE go = nullptr;

DWORD WINAPI AskConnection(void*) {
    WaitForSingleObject(go, INFINITE);
    char remote[MAX_PATH];
    DWORD length = sizeof(remote);
    return platform::SystemFunctions::Current().WNetGetConnectionA("Q:", remote, &length);
}

TEST(LazyBindingTest, ThreadsAskingAtOnceAllGetTheLibrary) {
    go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<HANDLE> threads;
    for (int i = 0; i < 8; ++i) threads.push_back(CreateThread(nullptr, 0, AskConnection, nullptr, 0, nullptr));
    SetEvent(go);
    for (HANDLE thread : threads) {
        WaitForSingleObject(thread, INFINITE);
        DWORD result = 0;
        GetExitCodeThread(thread, &result);
        EXPECT_NE(static_cast<DWORD>(ERROR_NOT_SUPPORTED), result);
        CloseHandle(thread);
    }
    CloseHandle(go);
}

TEST(CriticalSectionTest, AnErrorInsideALockLeavesItFree) {
    platform::CriticalSection section;
    try {
        platform::CriticalSection::Lock locked(section);
        throw std::bad_alloc();  // as a push_back that runs out of memory
    } catch (const std::bad_alloc&) {
    }
    EXPECT_TRUE(section.Free());
    platform::CriticalSection::Lock locked(section);
    EXPECT_FALSE(section.Free());
}

// Before Windows 7 (no per-thread mode) every quiet scope and every query
// thread share one count: overlapping in any order they leave the process
// as it was, and the host's own flags are never wiped.
TEST(QuietErrorsTest, ScopesAndQueriesShareOneCountAndKeepTheHostsFlags) {
    auto& table = platform::SystemFunctions::Current();
    const auto threadMode = table.SetThreadErrorMode;
    const UINT original = GetErrorMode();
    table.SetThreadErrorMode = nullptr;
    const UINT host = SEM_NOGPFAULTERRORBOX;
    SetErrorMode(host);
    {
        platform::QuietErrors quiet;
        EXPECT_EQ(host | SEM_FAILCRITICALERRORS, GetErrorMode());
        platform::QuietErrors::ProcessFrom();  // a query starts while the scope lives
    }
    EXPECT_EQ(host | SEM_FAILCRITICALERRORS, GetErrorMode());  // its late answer must raise no box
    platform::QuietErrors::ProcessUntil();
    EXPECT_EQ(host, GetErrorMode());
    platform::QuietErrors::ProcessFrom();
    { platform::QuietErrors quiet; }
    EXPECT_EQ(host | SEM_FAILCRITICALERRORS, GetErrorMode());
    platform::QuietErrors::ProcessUntil();
    EXPECT_EQ(host, GetErrorMode());
    // A host that is quiet itself stays so.
    SetErrorMode(host | SEM_FAILCRITICALERRORS);
    { platform::QuietErrors quiet; }
    EXPECT_EQ(host | SEM_FAILCRITICALERRORS, GetErrorMode());
    table.SetThreadErrorMode = threadMode;
    SetErrorMode(original);
    // With a per-thread mode only this thread's changes, and it comes back.
    if (threadMode) {
        const DWORD before = GetThreadErrorMode();
        {
            platform::QuietErrors quiet;
            EXPECT_EQ(before | SEM_FAILCRITICALERRORS, GetThreadErrorMode());
            EXPECT_EQ(original, GetErrorMode());
        }
        EXPECT_EQ(before, GetThreadErrorMode());
    }
}

// Fifty looks at a share that hangs leave one thread stuck, not fifty.
TEST(FolderProbeTest, LooksAtAHangingRootShareOneProbe) {
    FakeSystem fake;
    fake.SetHangingPath("\\\\dead\\share");
    const int before = FakeSystem::HangingCalls();
    for (int i = 0; i < 50; ++i)
        EXPECT_FALSE(wendrik::PathAnswers("\\\\dead\\share\\folder" + std::to_string(i), 20)) << i;
    EXPECT_EQ(1, FakeSystem::HangingCalls() - before);
    FakeSystem::ReleaseBlockedQueries();
}

class DriveChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = platform::GetDir();
        platform::ForceDirectories("M:\\edges\\here");
        ASSERT_TRUE(SetCurrentDirectoryA("M:\\edges\\here"));
    }
    void TearDown() override { SetCurrentDirectoryA(saved.c_str()); }
    std::string saved;
    ControlForm form;
};

// A change to another drive that is refused after the drive switch (the
// folder is missing there, or too deep) leaves the list, its drive box and
// the process where they were.
TEST_F(DriveChangeTest, ARefusedChangeToAnotherDriveLeavesEverythingWhereItWas) {
    auto* list = form.Add<wendrik::TDirectoryListBox>(10, 10, 200, 300);
    auto* drives = form.Add<wendrik::TDriveComboBox>(220, 10, 185, 19);
    drives->SetDirList(list);
    const std::string where = list->CurrentDir();
    const std::vector<std::string> items = ListBoxTexts(list->Handle());
    for (const std::string& refused :
         {std::string("N:\\no-such-folder"), "N:\\" + std::string(250, 'd') + "\\" + std::string(20, 'e')}) {
        EXPECT_THROW(list->ChangeCurrentDir(refused), platform::InOutError) << refused;
        EXPECT_EQ(where, list->CurrentDir());
        EXPECT_EQ('M', toupper(list->DriveLetter()));
        EXPECT_EQ('M', toupper(drives->DriveLetter()));
        EXPECT_EQ(items, ListBoxTexts(list->Handle()));
        EXPECT_EQ(0, lstrcmpiA("M:\\edges\\here", platform::GetDir().c_str())) << platform::GetDir();
    }
    // The first item still opens where the list shows.
    list->ChangeCurrentDir("M:\\edges");
    EXPECT_EQ(0, lstrcmpiA("M:\\edges", list->CurrentDir().c_str())) << list->CurrentDir();
}

// A folder that does not answer (the process standing on a share that has
// gone) is shown without its subfolders, and the list is made in time.
TEST_F(DriveChangeTest, AFolderThatDoesNotAnswerIsNeverListed) {
    platform::ForceDirectories("M:\\edges\\here\\sub");
    FakeSystem fake;
    fake.SetHangingPath("M:\\edges\\here");
    auto* list = form.Add<wendrik::TDirectoryListBox>(10, 10, 200, 300);
    EXPECT_EQ((std::vector<std::string>{"M:\\", "edges", "here"}), ListBoxTexts(list->Handle()));
    FakeSystem::ReleaseBlockedQueries();
}

// Two folders without short names whose names the code page turned into
// the same "?" text stay two items; an ordinary name is still taken once,
// also after the list has been read.
TEST(SortedStringsTest, FoldersThatOnlyReadTheSameStayTwo) {
    wendrik::SortedStrings list;
    list.Add("b");
    list.Add("?1", true);
    list.Add("B");
    list.Add("?1", true);
    EXPECT_EQ(3, list.Count());
    list.Add("c");
    list.Add("C");
    const std::vector<std::string> strings = list.Strings();
    EXPECT_EQ(4u, strings.size());
    EXPECT_EQ(2, std::count(strings.begin(), strings.end(), "?1"));
}

std::string ShortNarrow(const std::wstring& path) {
    wchar_t shortPath[MAX_PATH] = {};
    if (!GetShortPathNameW(path.c_str(), shortPath, MAX_PATH)) return "";
    char text[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, shortPath, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

// Two siblings whose names the code page cannot show both read "?1": each
// is given its own short name, never the other's.
TEST_F(DriveChangeTest, EachFolderOutsideTheCodePageKeepsItsOwnShortName) {
    CreateDirectoryW(L"M:\\siblings", nullptr);
    for (const wchar_t* name : {L"M:\\siblings\\\x0416\x0031", L"M:\\siblings\\\x0414\x0031"}) {
        CreateDirectoryW(name, nullptr);
        const std::string own = ShortNarrow(name);
        ASSERT_EQ(std::string::npos, own.find('?')) << own;
        ASSERT_TRUE(SetCurrentDirectoryW(name));
        EXPECT_EQ(0, lstrcmpiA(own.c_str(), platform::GetDir().c_str())) << own << " / " << platform::GetDir();
    }
}

}  // namespace
