// The registry export page: file name, backup directory, check box, and
// apply with every way the export can go.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
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
#include "platform/window/MessageBoxes.h"
#include "platform/drawing/Screen.h"

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
        DeleteFileA(Target().c_str());
        BoxAnswerer boxes;
        ModulSaveChanges();
        // What the editor is told and what the user reads, not the page's own accessor.
        ASSERT_EQ(1u, fake.Starts().size());
        EXPECT_EQ(std::string("/E ") + day.name, fake.Starts()[0].parameters);
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ("Registry wurde komplett nach " + folder + "\\" + day.name + " exportiert !", boxes.Texts()[0]);
        fake.ClearStarts();
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
        Failure{"no file", FakeSystem::Editor::WritesNothing, false, 1, "export failed"},
        Failure{"a foreign file", FakeSystem::Editor::WritesForeign, false, 0, "fehlgeschlagen"},
        Failure{"a truncated file", FakeSystem::Editor::WritesTruncated, false, 1, "export failed"},
        Failure{"only the header", FakeSystem::Editor::WritesHeaderOnly, false, 0, "HKEY_LOCAL_MACHINE fehlt"},
        Failure{"only the header", FakeSystem::Editor::WritesHeaderOnly, false, 1, "not rely on this file"}));

std::string FileText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

TEST_F(PageTest, ADeclinedElevationPromptIsACancelThatLeavesTheOlderBackupAlone) {
    for (int language : {0, 1}) {
        FreshFolder("wendrik-page");
        Page(language);
        std::string target = Target();
        if (FILE* f = std::fopen(target.c_str(), "wb")) {
            std::fputs("the backup of 23 January", f);
            std::fclose(f);
        }
        SetFileDate(target, 2026, 1, 23);
        SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
        catcher.Clear();
        fake.SetEditor(FakeSystem::Editor::Declined);
        {
            BoxAnswerer boxes(IDYES);  // yes, overwrite it; then the system's prompt is declined
            Click(page->HotSpeedButtonOK->Handle());
            ASSERT_EQ(2u, boxes.Texts().size()) << boxes.Joined();
            EXPECT_EQ(language == 1 ? "The export was cancelled: the registry editor was not allowed to start. "
                                      "Nothing was exported, and existing backups are unchanged."
                                    : "Der Export wurde abgebrochen: der Registrierungs-Editor durfte nicht starten. "
                                      "Es wurde nichts exportiert, vorhandene Sicherungen sind unverändert.",
                      boxes.Texts()[1]);
        }
        EXPECT_EQ("the backup of 23 January", FileText(target));
        EXPECT_EQ(0, wendrik::SavedFlag);
        EXPECT_TRUE(catcher.Received().empty());
        EXPECT_TRUE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
        EXPECT_TRUE(IsWindowEnabled(page->CheckBox1->Handle()));
        // The next try, with the prompt accepted, exports.
        fake.SetEditor(FakeSystem::Editor::Writes);
        {
            BoxAnswerer boxes(IDYES);
            Click(page->HotSpeedButtonOK->Handle());
            ASSERT_EQ(2u, boxes.Texts().size()) << boxes.Joined();
            EXPECT_NE(std::string::npos, boxes.Texts()[1].find(language == 1 ? "exported to" : "exportiert !"));
        }
        EXPECT_EQ(0u, FileText(target).find(std::string("\xFF\xFEW\0i\0n\0", 8)));
        EXPECT_EQ(2, ModulChanged());
        ModulFree();
        fake.ClearStarts();
    }
}

// On 64-bit Windows the page starts the system's own editor: file-system
// redirection is off for the start alone, on the page's thread, and on again
// on every way out.
TEST_F(PageTest, OnWow64TheNativeEditorIsStartedWithRedirectionOffForTheStartAlone) {
    const std::string thread = std::to_string(GetCurrentThreadId());
    fake.SetWow64(true);
    struct Way {
        FakeSystem::Editor editor;
        const char* says;
    };
    for (Way way : {Way{FakeSystem::Editor::Writes, "exportiert !"},
                    Way{FakeSystem::Editor::CannotStart, "konnte nicht gestartet werden"},
                    Way{FakeSystem::Editor::Declined, "abgebrochen"},
                    Way{FakeSystem::Editor::Writes32BitView, "32-Bit-Ansicht"}}) {
        FreshFolder("wendrik-page");
        Page();
        fake.SetEditor(way.editor);
        size_t before = fake.Redirections().size();
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, fake.Starts().size());
        EXPECT_TRUE(fake.Starts()[0].redirectionOff);
        EXPECT_FALSE(fake.RedirectionOff());
        std::vector<std::string> made(fake.Redirections().begin() + before, fake.Redirections().end());
        EXPECT_EQ((std::vector<std::string>{"off " + thread, "on " + thread}), made);
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find(way.says)) << boxes.Texts()[0];
        EXPECT_EQ(way.editor == FakeSystem::Editor::Writes ? 1 : 0, wendrik::SavedFlag);
        // The registry lookup is left to the system's own choice of editor.
        Click(page->HotSpeedButtonRegistry->Handle());
        ASSERT_EQ(2u, fake.Starts().size());
        EXPECT_FALSE(fake.Starts()[1].redirectionOff);
        EXPECT_EQ(made.size(), fake.Redirections().size() - before);
        ModulFree();
        fake.ClearStarts();
        wendrik::SavedFlag = 0;
    }
}

TEST_F(PageTest, On32BitWindowsRedirectionIsNotTouchedAndThe32BitViewIsWhole) {
    fake.SetWow64(false);
    fake.SetEditor(FakeSystem::Editor::Writes32BitView);
    Page(1);
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, fake.Starts().size());
    EXPECT_FALSE(fake.Starts()[0].redirectionOff);
    EXPECT_TRUE(fake.Redirections().empty());
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("Registry exported to")) << boxes.Texts()[0];
}

TEST_F(PageTest, RedirectionThatCannotBeTurnedOffStartsNothing) {
    fake.SetWow64(true, true);
    Page(1);
    BoxAnswerer boxes;
    ModulSaveChanges();
    EXPECT_TRUE(fake.Starts().empty());
    EXPECT_FALSE(fake.RedirectionOff());
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("could not be started")) << boxes.Texts()[0];
    EXPECT_EQ(0, wendrik::SavedFlag);
}

TEST_F(PageTest, TheHourglassStaysUpFromTheStartToTheEndOfTheCheck) {
    static std::vector<int> cursors;
    cursors.clear();
    platform::Screen::SetCursorObserver([](int cursor) { cursors.push_back(cursor); });
    Page();
    BoxAnswerer boxes;
    ModulSaveChanges();
    platform::Screen::SetCursorObserver(nullptr);
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("exportiert !")) << boxes.Texts()[0];
    // Once up, once down: not dropped between the editor's end and the file's check.
    EXPECT_EQ((std::vector<int>{platform::CursorHourGlass, platform::CursorDefault}), cursors);
}

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

// ---- a page that is going away, and exports that overlap ----

enum class Goes { ByFree, ByCommand0 };
Goes goes;
struct AfterGoing {
    bool visible, checkBoxClickCounted;
} seen;

TEST_F(PageTest, APageThatIsGoingAwayObeysNothingAndChangesNothing) {
    for (Goes how : {Goes::ByFree, Goes::ByCommand0}) {
        ResetModuleState();
        fake.SetEditor(FakeSystem::Editor::Pending);
        Page();
        BoxAnswerer boxes;
        goes = how;
        Later([] {
            auto* p = wendrik::ModulePage;
            HWND window = p->Handle(), check = p->CheckBox1->Handle(), undo = p->HotSpeedButtonUndo->Handle();
            if (goes == Goes::ByFree) ModulFree();
            else SendMessageA(window, wendrik::HostMessage, 0, 0);
            // Inside the page's own wait it still has its windows: they must not act.
            SendMessageA(window, wendrik::HostMessage, 200, 0);
            SendMessageA(check, BM_CLICK, 0, 0);
            Click(undo);
            seen = {IsWindowVisible(window) != 0, wendrik::ChangedFlag != 0};
            FakeSystem::Active()->Finish(true);
        });
        ModulSaveChanges();
        EXPECT_FALSE(seen.visible);
        EXPECT_FALSE(seen.checkBoxClickCounted);
        EXPECT_EQ(0, wendrik::ChangedFlag);
        EXPECT_EQ(0, wendrik::SavedFlag);
        EXPECT_EQ(0, wendrik::DefaultsRequested);
        EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
        EXPECT_TRUE(catcher.Received().empty());
        fake.ClearStarts();
        FreshFolder("wendrik-page");
    }
}

TEST_F(PageTest, ASecondExportWhileTheFirstAsksOrReportsDoesNothing) {
    Page();
    SetFileDate(Target(), 2026, 1, 23);  // another day's file: the page asks first
    BoxAnswerer boxes(IDYES);
    std::vector<int> results;
    boxes.OnBox([&](const std::string&) {
        results.push_back(ModulSaveChanges());
        Click(page->HotSpeedButtonOK->Handle());
    });
    ModulSaveChanges();
    ASSERT_EQ(2u, boxes.Texts().size()) << boxes.Joined();  // the question, then the result
    EXPECT_EQ((std::vector<int>{1, 1}), results);
    EXPECT_EQ(1u, fake.Starts().size());
    EXPECT_EQ(1u, catcher.Received().size());
}

bool checkBoxEnabledMidway = true, clickChangedMidway = true;

TEST_F(PageTest, TheCheckBoxIsHeldStillWhileTheExportRuns) {
    fake.SetEditor(FakeSystem::Editor::Pending);
    Page();
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);  // checked: the user's change
    ASSERT_EQ(1, ModulChanged());
    BoxAnswerer boxes;
    Later([] {
        auto* p = wendrik::ModulePage;
        checkBoxEnabledMidway = IsWindowEnabled(p->CheckBox1->Handle()) != 0;
        SendMessageA(p->CheckBox1->Handle(), BM_CLICK, 0, 0);  // sent anyway, as a program might
        clickChangedMidway = !p->CheckBox1->Checked() || wendrik::SavedFlag != 0 ||
                             IsWindowEnabled(p->HotSpeedButtonOK->Handle());
        FakeSystem::Active()->Finish(true);
    });
    Click(page->HotSpeedButtonOK->Handle());
    EXPECT_FALSE(checkBoxEnabledMidway);
    EXPECT_FALSE(clickChangedMidway);
    EXPECT_EQ(2, ModulChanged());  // applied, and nothing changed since it began
    EXPECT_TRUE(page->CheckBox1->Checked());
    EXPECT_TRUE(IsWindowEnabled(page->CheckBox1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));  // follows the checked box
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, ModulChanged());
    EXPECT_FALSE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
}

TEST_F(PageTest, TheEditorComesFromTheSystemsWindowsFolderOrNotAtAll) {
    fake.SetWindowsFolder("C:\\SYSWIN");  // as under Terminal Services, beside a per-user folder
    Page();
    {
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, fake.Starts().size());
        EXPECT_EQ("C:\\SYSWIN\\regedit.exe", fake.Starts()[0].file);
        Click(page->HotSpeedButtonRegistry->Handle());
        ASSERT_EQ(2u, fake.Starts().size());
        EXPECT_EQ("C:\\SYSWIN\\regedit.exe", fake.Starts()[1].file);
    }
    fake.ClearStarts();
    DeleteFileA(Target().c_str());
    wendrik::SavedFlag = 0;
    fake.SetWindowsFolder("");  // unknown: never a root-relative or searched name
    BoxAnswerer boxes;
    ModulSaveChanges();
    Click(page->HotSpeedButtonRegistry->Handle());
    EXPECT_TRUE(fake.Starts().empty());
    ASSERT_EQ(1u, boxes.Texts().size()) << boxes.Joined();
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("konnte nicht gestartet werden")) << boxes.Texts()[0];
    EXPECT_EQ(0, wendrik::SavedFlag);
}

TEST_F(PageTest, AMissingFileNameGetsItsTrueReason) {
    backup.SetDword(3);  // creation stops before the name is kept
    platform::SetErrorReporter([](const std::string&) {});
    Page(1);
    {
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find("backup settings could not be read")) << boxes.Texts()[0];
    }
    ModulFree();
    backup.SetString(folder);
    page = CreatePage(kXpCode, 1, 0);  // a tip not valid on this Windows
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("not available on this Windows version")) << boxes.Texts()[0];
    EXPECT_TRUE(fake.Starts().empty());
}

TEST_F(PageTest, ABackupFolderTooDeepForTheFileChecksIsRefusedBeforeAnything) {
    // 252 characters: the folder itself is fine, its export file's path is not.
    std::string deep = folder;
    while (deep.size() < 252) deep += "\\" + std::string(std::min<size_t>(40, 251 - deep.size()), 'd');
    deep.resize(252);
    std::wstring wide = L"\\\\?\\";
    for (size_t start = 0; start != std::string::npos;) {
        size_t next = deep.find('\\', start + 1);
        std::string part = deep.substr(0, next);
        wide = L"\\\\?\\" + std::wstring(part.begin(), part.end());
        CreateDirectoryW(wide.c_str(), nullptr);
        start = next;
    }
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wide.c_str()));
    backup.SetString(deep);
    Page();
    BoxAnswerer boxes(IDYES);
    ModulSaveChanges();
    EXPECT_TRUE(fake.Starts().empty());
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("Zeichen")) << boxes.Texts()[0];
    EXPECT_EQ(0, wendrik::SavedFlag);
    EXPECT_TRUE(catcher.Received().empty());
}

// A DACL that lets everyone read the host's key and nobody write it, put back after.
class ReadOnlyHostKey {
public:
    ReadOnlyHostKey() { Set("D:P(A;;KR;;;WD)"); }
    ~ReadOnlyHostKey() { Set("D:P(A;;KA;;;WD)"); }

private:
    static void Set(const char* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr);
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kHostKey, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
            RegCloseKey(key);
        }
        LocalFree(descriptor);
    }
};

TEST_F(PageTest, AHostKeyTheUserMayReadButNotWriteIsRead) {
    bsControl.SetDword(0);  // the OS check off: a page for any Windows
    ReadOnlyHostKey readOnly;
    HKEY probe;
    ASSERT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExA(HKEY_CURRENT_USER, kHostKey, 0, nullptr, 0,
                                                   KEY_READ | KEY_WRITE, nullptr, &probe, nullptr));
    page = CreatePage(kXpCode, 0, 0);  // not valid here: only BSControl = 0 makes it usable
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(1, wendrik::PageEnabled);
    EXPECT_EQ(folder, page->T288_Edit->Text());
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
