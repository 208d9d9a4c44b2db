// The drive combo box over a faked drive table and over the test prefix's
// real drives: texts and their case, which drives are asked, the
// DriveLetter setter's rules, fonts, drawing, and drives that do not answer.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

#include "FakeSystem.h"
#include "ListHelpers.h"
#include "PixelCapture.h"
#include "Pump.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "platform/system/Files.h"
#include "platform/system/SystemFunctions.h"

using namespace testing_support;
using namespace desktop;
using wendrik::TDriveComboBox;
using wendrik::tcLowerCase;
using wendrik::tcUpperCase;

namespace {

// A typical office machine: removable A:, fixed C: "System", an empty CD-ROM D:,
// X: mapped to \\srv\pub, and two drives of no listed type.
const std::vector<FakeSystem::Drive> kExample = {
    {'a', DRIVE_REMOVABLE, "FLOPPY"},
    {'c', DRIVE_FIXED, "System"},
    {'d', DRIVE_CDROM, nullptr},
    {'e', DRIVE_UNKNOWN, "Odd"},
    {'f', DRIVE_NO_ROOT_DIR, "Gone"},
    {'x', DRIVE_REMOTE, nullptr, "\\\\srv\\pub"},
};

class DriveComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override { savedDir = platform::GetDir(); }
    void TearDown() override { SetCurrentDirectoryA(savedDir.c_str()); }
    TDriveComboBox* Make() {
        combo = form.Add<TDriveComboBox>(10, 10, 185, 19);
        combo->OnChange = [this] { ++changes; };
        return combo;
    }
    std::string savedDir;
    FakeSystem fake;
    ControlForm form;
    TDriveComboBox* combo = nullptr;
    int changes = 0;
};

TEST_F(DriveComboBoxTest, ListsTheExampleDrivesInBothCases) {
    fake.SetDrives(kExample);
    Make();
    EXPECT_EQ((std::vector<std::string>{"a:", "c: [system]", "d: []", "x: \\\\srv\\pub"}),
              ComboBoxTexts(combo->Handle()));
    EXPECT_EQ(0, FakeSystem::VolumeQueries('a'));  // a removable drive is never touched
    EXPECT_EQ(1, FakeSystem::VolumeQueries('c'));
    combo->SetTextCase(tcUpperCase);
    EXPECT_EQ((std::vector<std::string>{"A:", "C: [SYSTEM]", "D: []", "X: \\\\SRV\\PUB"}),
              ComboBoxTexts(combo->Handle()));
}

TEST_F(DriveComboBoxTest, ListsThePrefixsRealDrives) {
    Make();
    std::vector<std::string> texts = ComboBoxTexts(combo->Handle());
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "m: [system]"));
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "n: []"));
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end()));  // letter order
}

TEST_F(DriveComboBoxTest, TheDriveLetterSetterFollowsItsRules) {
    SetCurrentDirectoryA("M:\\");
    Make();
    auto* dirs = form.Add<wendrik::TDirectoryListBox>(10, 40, 145, 100);
    int dirChanges = 0;
    dirs->OnChange = [&] { ++dirChanges; };
    combo->SetDirList(dirs);
    std::vector<std::string> texts = ComboBoxTexts(combo->Handle());
    int mItem = static_cast<int>(std::find(texts.begin(), texts.end(), "m: [system]") - texts.begin());
    ASSERT_EQ(mItem, ComboBoxSelection(combo->Handle()));

    changes = 0;
    combo->SetDriveLetter('M');  // the same letter while its item is selected: nothing
    EXPECT_EQ(0, changes);

    SendMessageA(combo->Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    combo->SetDriveLetter('N');  // nothing selected: selects, switches the list, notifies
    EXPECT_EQ('n', combo->DriveLetter());
    EXPECT_EQ("n: []", ComboBoxTexts(combo->Handle())[ComboBoxSelection(combo->Handle())]);
    EXPECT_EQ('N', std::toupper(dirs->DriveLetter()));  // the list's drive, in whatever case
    EXPECT_EQ(1, changes);
    EXPECT_EQ(1, dirChanges);

    combo->SetDriveLetter('\0');  // clears, and still tells the list and OnChange
    EXPECT_EQ(-1, ComboBoxSelection(combo->Handle()));
    EXPECT_EQ(2, changes);
    EXPECT_EQ(2, dirChanges);

    combo->SetDirList(nullptr);
    SendMessageA(combo->Handle(), CB_SETCURSEL, mItem, 0);
    combo->SetDriveLetter('q');  // no such item: the letter is kept, the selection too
    EXPECT_EQ('q', combo->DriveLetter());
    EXPECT_EQ(mItem, ComboBoxSelection(combo->Handle()));
    EXPECT_EQ(3, changes);
}

TEST_F(DriveComboBoxTest, ANetworkCurrentDirectoryGivesNoDrive) {
    ASSERT_TRUE(SetCurrentDirectoryA("\\\\srv\\share"));
    Make();
    EXPECT_EQ('\0', combo->DriveLetter());
    EXPECT_EQ(-1, ComboBoxSelection(combo->Handle()));
}

TEST_F(DriveComboBoxTest, TheSameTextCaseBuildsTheListAgain) {
    fake.SetDrives(kExample);
    Make();
    int before = changes;
    std::vector<FakeSystem::Drive> more = kExample;
    more.push_back({'y', DRIVE_RAMDISK, "Ram"});
    fake.SetDrives(more);
    combo->SetTextCase(tcLowerCase);
    EXPECT_EQ(before + 1, changes);
    EXPECT_EQ("y: [ram]", ComboBoxTexts(combo->Handle()).back());
}

TEST_F(DriveComboBoxTest, TheItemHeightFollowsTheFontButNotBelowTheGlyph) {
    Make();
    platform::FontSpec tiny;
    tiny.height = -5;
    combo->SetFont(tiny);
    EXPECT_EQ(11, SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    platform::FontSpec large;
    large.height = -30;
    combo->SetFont(large);
    TEXTMETRICA metrics = {};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, combo->GetFont().Handle());
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(metrics.tmHeight, SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_FALSE(ComboBoxTexts(combo->Handle()).empty());  // made anew with its items
}

// The first column of `area` (left to right) holding a pixel unlike the background.
int FirstInkColumn(const Pixels& shown, RECT area, DWORD background) {
    for (int x = area.left; x < area.right; ++x)
        for (int y = area.top; y < area.bottom; ++y)
            if (shown.At(x, y) != background) return x;
    return -1;
}

// Remembers the rectangle the system asks an item to be drawn in.
class DrawnDriveBox : public TDriveComboBox {
public:
    using TDriveComboBox::TDriveComboBox;
    RECT lastItem = {};

protected:
    void DrawItem(int index, RECT rect, UINT state, platform::Canvas& canvas) override {
        lastItem = rect;
        TDriveComboBox::DrawItem(index, rect, state, canvas);
    }
};

TEST_F(DriveComboBoxTest, GlyphAtTwoAndTextAtTwentyTwo) {
    fake.SetDrives({{'c', DRIVE_FIXED, "System"}});
    SetCurrentDirectoryA("C:\\");
    auto* drawn = form.Add<DrawnDriveBox>(10, 10, 185, 19);
    RedrawWindow(drawn->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pixels shown = CaptureClient(drawn->Handle());
    RECT item = drawn->lastItem;
    ASSERT_GT(item.right, item.left);
    DWORD background = shown.At(item.left, item.top);
    EXPECT_EQ(item.left + 2, FirstInkColumn(shown, item, background));
    RECT text = {item.left + 18, item.top, item.right, item.bottom};  // past the 16-pixel glyph
    int ink = FirstInkColumn(shown, text, background);
    EXPECT_GE(ink, item.left + 22);
    EXPECT_LE(ink, item.left + 23);  // the first letter's own left bearing at most
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {sizeof(entry)};
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

TEST_F(DriveComboBoxTest, DrivesThatDoNotAnswerDoNotFreezeTheList) {
    int threads = ThreadsOfThisProcess();
    DWORD handles = 0, handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    UINT errorMode = GetErrorMode();
    fake.SetDrives({{'c', DRIVE_FIXED, "System"},
                    {'p', DRIVE_CDROM, "Slow", nullptr, true},
                    {'m', DRIVE_FIXED, "Data"},
                    {'r', DRIVE_REMOTE, "Pub", "\\\\srv\\pub", true}});
    DWORD start = GetTickCount();
    Make();
    DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 1000u);
    EXPECT_EQ((std::vector<std::string>{"c: [system]", "m: [data]", "p: []", "r: []"}),
              ComboBoxTexts(combo->Handle()));
    EXPECT_EQ(errorMode, GetErrorMode());
    delete combo;  // the late answers must not reach it
    combo = nullptr;
    FakeSystem::ReleaseBlockedQueries();
    EXPECT_TRUE(PumpUntil([&] { return ThreadsOfThisProcess() <= threads; }, 5000)) << "a query thread is left";
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_LE(handlesAfter, handles);
}

}  // namespace

namespace {

// Fills as the dialog makes them, once per opening and twice at 120 dpi,
// while one drive hangs: one question to it stays in flight, no more.
TEST_F(DriveComboBoxTest, AHangingDriveIsAskedOnceHoweverOftenTheListIsFilled) {
    const int threads = ThreadsOfThisProcess();
    fake.SetDrives({{'c', DRIVE_FIXED, "System"}, {'d', DRIVE_CDROM, "Slow"}});
    Make();
    delete combo;
    combo = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return ThreadsOfThisProcess() <= threads; }, 5000));
    // The drive answered once ("Slow"); now it hangs.
    fake.SetDrives({{'c', DRIVE_FIXED, "System"}, {'d', DRIVE_CDROM, "Slow", nullptr, true}});
    const DWORD start = GetTickCount();
    for (int opening = 0; opening < 50; ++opening) {
        Make();
        combo->FillDriveList();
        EXPECT_EQ((std::vector<std::string>{"c: [system]", "d: [slow]"}), ComboBoxTexts(combo->Handle()))
            << "a drive that has not answered shows what it said last";
        delete combo;
        combo = nullptr;
    }
    EXPECT_EQ(1, FakeSystem::VolumeQueries('d')) << "asked again only after it answered";
    EXPECT_LT(GetTickCount() - start, 5000u) << "a drive known to hang costs no new wait";
    EXPECT_LE(ThreadsOfThisProcess(), threads + 1) << "one thread waits for the hanging drive";
    FakeSystem::ReleaseBlockedQueries();
    EXPECT_TRUE(PumpUntil([&] { return ThreadsOfThisProcess() <= threads; }, 5000)) << "a query thread is left";
    Make();
    EXPECT_EQ(2, FakeSystem::VolumeQueries('d')) << "answered: the next fill asks again";
}

// Before Windows 7 there is no per-thread error mode: the process fails
// critical errors silently as long as any query runs, not only while the
// list waits, so that a late answer cannot bring up a "no disk" box.
TEST_F(DriveComboBoxTest, WithoutAThreadErrorModeTheProcessStaysQuietUntilTheLastQueryEnds) {
    const int threads = ThreadsOfThisProcess();
    const UINT saved = SetErrorMode(0);  // wine starts a process with critical errors failed
    const UINT before = GetErrorMode();
    ASSERT_FALSE(before & SEM_FAILCRITICALERRORS);
    fake.SetDrives({{'c', DRIVE_FIXED, "System"}, {'e', DRIVE_CDROM, "Slow", nullptr, true}});
    platform::SystemFunctions::Current().SetThreadErrorMode = nullptr;  // put back by the fake
    Make();
    EXPECT_EQ((std::vector<std::string>{"c: [system]", "e: []"}), ComboBoxTexts(combo->Handle()));
    EXPECT_TRUE(GetErrorMode() & SEM_FAILCRITICALERRORS) << "the query to e: still runs";
    FakeSystem::ReleaseBlockedQueries();
    EXPECT_TRUE(PumpUntil([&] { return ThreadsOfThisProcess() <= threads; }, 5000)) << "a query thread is left";
    EXPECT_EQ(before, GetErrorMode());
    SetErrorMode(saved);
}

}  // namespace

namespace {

DWORD windowThread = 0;

// Runs out of memory on a query thread; answers on the window's thread.
BOOL WINAPI VolumeThatFailsOffThread(LPCSTR, LPSTR name, DWORD size, DWORD*, DWORD*, DWORD*, LPSTR, DWORD) {
    if (GetCurrentThreadId() != windowThread) throw std::bad_alloc();
    lstrcpynA(name, "Here", static_cast<int>(size));
    return TRUE;
}

TEST_F(DriveComboBoxTest, AQueryThreadThatFailsLeavesTheQuestionToTheWindowsThread) {
    windowThread = GetCurrentThreadId();
    fake.SetDrives({{'c', DRIVE_FIXED, "System"}, {'k', DRIVE_FIXED, "Kept"}});
    platform::SystemFunctions::Current().GetVolumeInformationA = VolumeThatFailsOffThread;
    Make();
    EXPECT_EQ((std::vector<std::string>{"c: [here]", "k: [here]"}), ComboBoxTexts(combo->Handle()));
}

}  // namespace
