// The registry export page: file name, backup directory, check box, and
// apply with every way the export can go.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "BoxAnswerer.h"
#include "BroadcastCatcher.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/MessageBoxes.h"
#include "platform/Screen.h"

using namespace testing_support;
using wendrik::TFormWendrik;

namespace {

std::string WindowsFolder() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

void SetFileDate(const std::string& path, WORD year, WORD month, WORD day) {
    SYSTEMTIME local = {year, month, 0, day, 12, 0, 0, 0};
    FILETIME localFile, utc;
    SystemTimeToFileTime(&local, &localFile);
    LocalFileTimeToFileTime(&localFile, &utc);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    SetFileTime(f, nullptr, nullptr, &utc);
    CloseHandle(f);
}

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModuleState();
        folder = FreshFolder("wendrik-page");
        backup.SetString(folder);
        bsControl.Remove();
        fake.SetDate(2026, 12, 7);
    }
    void TearDown() override {
        ModulFree();
        platform::SetErrorReporter(nullptr);
    }
    TFormWendrik* Page(int language = 0) {
        page = CreatePage(kXpCode, language);
        return page;
    }
    std::string Target() const { return folder + "\\" + page->ExportFileName(); }

    RegistryValue backup{kHostKey, "BackupPath"};
    RegistryValue bsControl{kHostKey, "BSControl"};
    FakeSystem fake;
    BroadcastCatcher catcher{wendrik::HostMessage};
    std::string folder;
    TFormWendrik* page = nullptr;
};

TEST_F(PageTest, TheFileNameIsTheUnpaddedDateOfCreation) {
    struct Day { WORD y, m, d; const char* name; };
    for (Day day : {Day{2026, 1, 1, "202611.reg"}, Day{2026, 1, 23, "2026123.reg"},
                    Day{2026, 12, 3, "2026123.reg"}, Day{2026, 12, 7, "2026127.reg"},
                    Day{2027, 3, 5, "202735.reg"}, Day{2026, 10, 31, "20261031.reg"}}) {
        fake.SetDate(day.y, day.m, day.d);
        Page();
        EXPECT_EQ(day.name, page->ExportFileName());
        EXPECT_EQ(day.name, page->CheckBox1->Hint());
        ModulFree();
    }
}

TEST_F(PageTest, AnExportAfterMidnightKeepsTheDateOfCreation) {
    fake.SetDate(2026, 12, 7);
    Page();
    fake.SetDate(2026, 12, 8);
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, fake.Starts().size());
    EXPECT_EQ("/E 2026127.reg", fake.Starts()[0].parameters);
}

TEST_F(PageTest, TheBackupDirectoryComesFromTheHostsKey) {
    Page();
    EXPECT_EQ(folder, page->T288_Edit->Text());
    ModulFree();
    backup.Remove();
    Page();
    EXPECT_EQ("C:\\VELDRAKE", page->T288_Edit->Text());
    EXPECT_FALSE(backup.Exists());  // read, never written
}

TEST_F(PageTest, ABackupPathOfTheWrongTypeIsReported) {
    backup.SetDword(3);
    std::vector<std::string> reports;
    platform::SetErrorReporter([&](const std::string& text) { reports.push_back(text); });
    Page();
    ASSERT_NE(nullptr, page);
    ASSERT_EQ(1u, reports.size());
    EXPECT_NE(std::string::npos, reports[0].find("BackupPath"));
    EXPECT_EQ("", page->T288_Edit->Text());
    EXPECT_EQ("", page->ExportFileName());
    EXPECT_TRUE(IsWindowVisible(page->Handle()));
}

TEST_F(PageTest, TheCheckBoxFollowsTheEditsText) {
    Page();
    bool okBefore = IsWindowEnabled(page->HotSpeedButtonOK->Handle());
    SetWindowTextA(page->T288_Edit->Handle(), "");
    EXPECT_FALSE(IsWindowEnabled(page->CheckBox1->Handle()));
    SetWindowTextA(page->T288_Edit->Handle(), " ");
    EXPECT_TRUE(IsWindowEnabled(page->CheckBox1->Handle()));
    EXPECT_EQ(okBefore, IsWindowEnabled(page->HotSpeedButtonOK->Handle()) != 0);
    EXPECT_EQ(0, wendrik::ChangedFlag);
}

TEST_F(PageTest, CheckBoxClicksCountOnlyOnceAPageWasShown) {
    wendrik::OsCode = kXpCode, wendrik::ValidOsMask = kXpMask;
    page = platform::Form::Create<TFormWendrik>();
    wendrik::ModulePage = page;
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
    EXPECT_EQ(0, wendrik::ChangedFlag);
    EXPECT_EQ(0, ModulChanged());
    ModulFree();

    Page();
    EXPECT_EQ(0, ModulChanged());
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
    EXPECT_EQ(1, ModulChanged());
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
    EXPECT_EQ(1, ModulChanged());
    EXPECT_EQ(0, wendrik::SavedFlag);
}

TEST_F(PageTest, ApplyStartsTheSystemsEditorAndSaysWhereTheFileWent) {
    for (int language : {0, 1}) {
        FreshFolder("wendrik-page");
        Page(language);
        SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
        BoxAnswerer boxes;
        catcher.Clear();
        Click(page->HotSpeedButtonOK->Handle());
        ASSERT_EQ(1u, fake.Starts().size());
        const FakeSystem::Start& start = fake.Starts().back();
        EXPECT_EQ(WindowsFolder() + "\\regedit.exe", start.file);
        EXPECT_TRUE(start.verbIsNull);
        EXPECT_EQ("/E 2026127.reg", start.parameters);
        EXPECT_EQ(folder, start.directory);
        EXPECT_EQ(SW_SHOW, start.show);
        EXPECT_EQ(page->Handle(), start.window);
        ASSERT_EQ(1u, boxes.Texts().size());
        std::string expected = language == 1
            ? "Registry exported to " + folder + "\\2026127.reg !"
            : "Registry wurde komplett nach " + folder + "\\2026127.reg exportiert !";
        EXPECT_EQ(expected, boxes.Texts()[0]);
        EXPECT_EQ(2, ModulChanged());
        ASSERT_EQ(1u, catcher.Received().size());
        EXPECT_EQ(WPARAM(9999), catcher.Received()[0].first);
        ModulFree();
        fake.ClearStarts();
    }
}

TEST_F(PageTest, ARootDirectoryShowsItsBackslashTwiceButIsPassedUnchanged) {
    Page();
    SetWindowTextA(page->T288_Edit->Handle(), "C:\\");
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, fake.Starts().size());
    EXPECT_EQ("C:\\", fake.Starts()[0].directory);
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Registry wurde komplett nach C:\\\\2026127.reg exportiert !", boxes.Texts()[0]);
    DeleteFileA("C:\\2026127.reg");
}

TEST_F(PageTest, SaveChangesExportsEvenWithTheButtonDisabled) {
    Page();
    page->HotSpeedButtonOK->SetEnabled(false);
    ASSERT_FALSE(page->CheckBox1->Checked());
    BoxAnswerer boxes;
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_EQ(1u, fake.Starts().size());
    EXPECT_EQ(1, wendrik::SavedFlag);
    EXPECT_FALSE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
}

struct Failure {
    const char* what;
    FakeSystem::Editor editor;
    bool missingFolder;
    int language;
    const char* expected;
};

class ExportFailureTest : public PageTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(ExportFailureTest, IsReportedAndNotTakenForSuccess) {
    const Failure& f = GetParam();
    if (f.missingFolder) backup.SetString(folder + "\\missing");
    fake.SetEditor(f.editor);
    Page(f.language);
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
    catcher.Clear();
    BoxAnswerer boxes;
    Click(page->HotSpeedButtonOK->Handle());
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find(f.expected)) << boxes.Texts()[0];
    EXPECT_EQ(0, wendrik::SavedFlag);
    EXPECT_EQ(1, ModulChanged());
    EXPECT_TRUE(catcher.Received().empty());
    EXPECT_EQ(f.missingFolder ? 0u : 1u, fake.Starts().size());
    EXPECT_TRUE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ExportFailureTest,
    ::testing::Values(
        Failure{"missing folder", FakeSystem::Editor::Writes, true, 0, "existiert nicht"},
        Failure{"missing folder", FakeSystem::Editor::Writes, true, 1, "does not exist"},
        Failure{"no editor", FakeSystem::Editor::CannotStart, false, 0, "konnte nicht gestartet werden"},
        Failure{"no editor", FakeSystem::Editor::CannotStart, false, 1, "could not be started"},
        Failure{"no file", FakeSystem::Editor::WritesNothing, false, 0, "fehlgeschlagen"},
        Failure{"no file", FakeSystem::Editor::WritesNothing, false, 1, "export failed"}));

TEST_F(PageTest, AnotherDaysBackupIsOverwrittenOnlyWhenTheUserSaysSo) {
    Page();
    std::string target = Target();
    SetFileDate(target, 2026, 1, 23);  // 23 January gives the same name as 3 December
    {
        BoxAnswerer boxes(IDNO);
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find("23.01.2026"));
        EXPECT_TRUE(fake.Starts().empty());
        EXPECT_EQ(0, wendrik::SavedFlag);
        EXPECT_TRUE(catcher.Received().empty());
    }
    {
        BoxAnswerer boxes(IDYES);
        ModulSaveChanges();
        ASSERT_EQ(2u, boxes.Texts().size());
        EXPECT_EQ(1u, fake.Starts().size());
        EXPECT_EQ(1, wendrik::SavedFlag);
        EXPECT_EQ(1u, catcher.Received().size());
    }
    {
        // Written today now: the next export asks nothing.
        SetFileDate(target, 2026, 12, 7);
        BoxAnswerer boxes(IDNO);
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find("exportiert !"));
        EXPECT_EQ(2u, fake.Starts().size());
    }
}

void (*laterAction)() = nullptr;

void CALLBACK RunLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (auto action = std::exchange(laterAction, nullptr)) action();
}

// Runs `action` once from the message loop of whatever waits next.
void Later(void (*action)()) {
    laterAction = action;
    SetTimer(nullptr, 0, 10, RunLater);
}

TEST_F(PageTest, TheHostMayFreeThePageWhileTheEditorRuns) {
    fake.SetEditor(FakeSystem::Editor::Pending);
    Page();
    HWND window = page->Handle();
    BoxAnswerer boxes;
    static bool sawBusy = false;
    Later([] {
        auto* p = wendrik::ModulePage;
        sawBusy = p && !IsWindowEnabled(p->HotSpeedButtonOK->Handle()) &&
                  platform::Screen::Cursor() == platform::CursorHourGlass && p->Exporting();
        ModulSaveChanges();  // a second request while the first runs starts nothing
        EXPECT_EQ(1, ModulFree());
        FakeSystem::Active()->Finish(true);
    });
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(1u, fake.Starts().size());
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_TRUE(catcher.Received().empty());
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(platform::CursorDefault, platform::Screen::Cursor());
    EXPECT_EQ(1, ModulFree());
}

TEST_F(PageTest, APageDestroyedFromOutsideIsForgotten) {
    Page();
    DestroyWindow(page->Handle());
    PumpPending();
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_EQ(1, ModulFree());
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_TRUE(fake.Starts().empty());
}

TEST_F(PageTest, FreeAndSaveBeforeAnyPageDoNothing) {
    ASSERT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_EQ(1, ModulFree());
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_EQ(0, ModulChanged());
    EXPECT_EQ(2, ModulNr());
    EXPECT_TRUE(fake.Starts().empty());
}

// Under a double-byte code page a folder may end in a character whose trail
// byte is the code of "\": it still needs its separator before the file name.
TEST_F(PageTest, Cp932AFolderEndingInATrailBackslashGetsItsSeparator) {
    if (GetACP() != 932) {
        EXPECT_EQ(nullptr, getenv("WENDRIK_EXPECT_CP932")) << "code page 932 was asked for";
        GTEST_SKIP() << "needs code page 932";
    }
    const std::string hyo = "\x95\x5C";  // its trail byte is "\"
    folder = "M:\\data\\" + hyo;
    CreateDirectoryA("M:\\data", nullptr);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    DeleteFileA((folder + "\\2026127.reg").c_str());
    backup.SetString(folder);
    Page();
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, fake.Starts().size());
    EXPECT_EQ(folder, fake.Starts()[0].directory);
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Registry wurde komplett nach " + folder + "\\2026127.reg exportiert !", boxes.Texts()[0]);
    EXPECT_EQ(1, wendrik::SavedFlag);
}

}  // namespace
