// How an export ends: every way it can fail, a declined start, the 32- and
// 64-bit views of the registry, the hourglass, and an older backup.
#include <utility>

#include "PageFixture.h"

using namespace testing_support;
using namespace desktop;
using namespace page_test;
using wendrik::TFormWendrik;

namespace {

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
    // Nothing incomplete is kept, under any name.
    EXPECT_TRUE(FilesIn(folder).empty());
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
        Failure{"only the header", FakeSystem::Editor::WritesHeaderOnly, false, 1, "No file was kept"},
        Failure{"cut after a whole line of the user's hive", FakeSystem::Editor::WritesCutInUsers, false, 1,
                "breaks off"}));


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

#ifndef _WIN64
// On 64-bit Windows the page starts the system's own editor: file-system
// redirection is off for the start alone, on the start's own thread, and on
// again on every way out; the page's thread never touches it.
TEST_F(PageTest, OnWow64TheNativeEditorIsStartedWithRedirectionOffForTheStartAlone) {
    const std::string pageThread = std::to_string(GetCurrentThreadId());
    fake.SetWow64(true);
    struct Way {
        FakeSystem::Editor editor;
        const char* says;
    };
    for (Way way : {Way{FakeSystem::Editor::Writes, "exportiert !"},
                    Way{FakeSystem::Editor::CannotStart, "konnte nicht gestartet werden"},
                    Way{FakeSystem::Editor::Declined, "abgebrochen"},
                    Way{FakeSystem::Editor::Elevates, "exportiert !"},
                    Way{FakeSystem::Editor::Writes32BitView, "32-Bit-Ansicht"}}) {
        FreshFolder("wendrik-page");
        Page();
        fake.SetEditor(way.editor);
        size_t before = fake.Redirections().size();
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_LE(1u, fake.Starts().size());
        const std::string startThread = std::to_string(fake.Starts()[0].thread);
        EXPECT_NE(pageThread, startThread);
        EXPECT_TRUE(fake.Starts()[0].redirectionOff);
        EXPECT_FALSE(fake.RedirectionOff());
        std::vector<std::string> made(fake.Redirections().begin() + before, fake.Redirections().end());
        EXPECT_EQ((std::vector<std::string>{"off " + startThread, "on " + startThread}), made);
        // The elevated start goes through the shell with redirection as it is.
        for (size_t i = 1; i < fake.Starts().size(); ++i) EXPECT_FALSE(fake.Starts()[i].redirectionOff);
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find(way.says)) << boxes.Texts()[0];
        EXPECT_EQ(way.says == std::string("exportiert !") ? 1 : 0, wendrik::SavedFlag);
        // The registry lookup is left to the system's own choice of editor.
        size_t starts = fake.Starts().size();
        Click(page->HotSpeedButtonRegistry->Handle());
        ASSERT_EQ(starts + 1, fake.Starts().size());
        EXPECT_FALSE(fake.Starts().back().redirectionOff);
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
#else
// The 64-bit page is native on 64-bit Windows: it never touches redirection,
// whatever the system answers, and only the editor's 64-bit view is whole.
TEST_F(PageTest, The64BitPageStartsTheEditorAsItIsAndWantsThe64BitView) {
    for (bool wow64Answer : {false, true}) {
        fake.SetWow64(wow64Answer);
        for (auto [editor, says] : {std::pair{FakeSystem::Editor::Writes, "exportiert !"},
                                    std::pair{FakeSystem::Editor::Writes32BitView, "32-Bit-Ansicht"}}) {
            FreshFolder("wendrik-page");
            Page();
            fake.SetEditor(editor);
            BoxAnswerer boxes;
            ModulSaveChanges();
            ASSERT_EQ(1u, fake.Starts().size());
            EXPECT_FALSE(fake.Starts()[0].redirectionOff);
            EXPECT_TRUE(fake.Redirections().empty());
            ASSERT_EQ(1u, boxes.Texts().size());
            EXPECT_NE(std::string::npos, boxes.Texts()[0].find(says)) << boxes.Texts()[0];
            EXPECT_EQ(editor == FakeSystem::Editor::Writes ? 1 : 0, wendrik::SavedFlag);
            ModulFree();
            fake.ClearStarts();
            wendrik::SavedFlag = 0;
        }
    }
}
#endif

TEST_F(PageTest, TheHourglassStaysUpFromThePressToTheLastMessage) {
    static std::vector<int> cursors;
    cursors.clear();
    platform::Screen::SetCursorObserver([](int cursor) { cursors.push_back(cursor); });
    Page();
    BoxAnswerer boxes;
    ModulSaveChanges();
    platform::Screen::SetCursorObserver(nullptr);
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("exportiert !")) << boxes.Texts()[0];
    // Once up, once down: up before the start, not dropped between the
    // editor's end and the file's check.
    EXPECT_EQ((std::vector<int>{platform::CursorHourGlass, platform::CursorDefault}), cursors);
    ASSERT_EQ(1u, fake.Starts().size());
    EXPECT_EQ(platform::CursorHourGlass, fake.Starts()[0].cursor);
    EXPECT_EQ(platform::CursorDefault, platform::Screen::Cursor());
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

}  // namespace
