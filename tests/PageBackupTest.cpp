// The backup's safety around the editor: its start on a thread of its
// own, elevation, limited rights, an editor that fails, an old file that
// cannot be replaced, and a real editor ended while it writes.
#include <windows.h>

#include "PageFixture.h"
#include "platform/system/Application.h"

using namespace testing_support;
using namespace desktop;
using namespace page_test;

namespace {

// The start runs on a short-lived thread of its own. A structured exception
// in it ends that thread alone: whatever it switched goes with it, the page
// reports the failure, and the next export works.
TEST_F(PageTest, AStructuredExceptionInTheStartEndsOnlyTheStartsThread) {
    fake.SetWow64(true);  // on the 32-bit page the start turns redirection off first
    fake.SetEditor(FakeSystem::Editor::Raises);
    Page(1);
    {
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find("could not be started (exception 0xC0000005)"))
            << boxes.Texts()[0];
    }
    ASSERT_EQ(1u, fake.Starts().size());
    const DWORD startThread = fake.Starts()[0].thread;
    EXPECT_NE(GetCurrentThreadId(), startThread);
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, startThread);
    if (thread) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
        CloseHandle(thread);
    }
    for (const std::string& call : fake.Redirections())
        EXPECT_EQ(std::to_string(startThread), call.substr(call.find(' ') + 1)) << call;
    EXPECT_EQ(0, wendrik::SavedFlag);
    EXPECT_TRUE(FilesIn(folder).empty());
    fake.SetEditor(FakeSystem::Editor::Writes);
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Registry exported to " + Target() + " !", boxes.Texts()[0]);
    EXPECT_EQ(1, wendrik::SavedFlag);
}

// Elevation is asked only when the editor wants it, through the shell's
// "runas" from the start's thread, the page owning the prompt; an editor
// so started has the rights to read every key.
TEST_F(PageTest, AnEditorThatWantsElevationIsStartedThroughThePrompt) {
    fake.SetAdministrator(false);
    fake.SetEditor(FakeSystem::Editor::Elevates);
    Page();
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(2u, fake.Starts().size());
    EXPECT_TRUE(fake.Starts()[0].process);
    const FakeSystem::Start& prompt = fake.Starts()[1];
    EXPECT_FALSE(prompt.process);
    EXPECT_EQ("runas", prompt.verb);
    EXPECT_EQ(page->Handle(), prompt.window);
    EXPECT_EQ(fake.Starts()[0].thread, prompt.thread);
    EXPECT_NE(GetCurrentThreadId(), prompt.thread);
    EXPECT_TRUE(WritesTemporaryOf(folder, "2026127.reg", prompt.parameters)) << prompt.parameters;
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Registry wurde komplett nach " + Target() + " exportiert !", boxes.Texts()[0]);
    EXPECT_EQ(std::vector<std::string>{"2026127.reg"}, FilesIn(folder));
}

// An editor that runs without administrator rights leaves out the keys the
// user may not read: the done message says so.
TEST_F(PageTest, WithoutAdministratorRightsTheDoneMessageSaysKeysAreMissing) {
    for (int language : {0, 1}) {
        fake.SetAdministrator(false);
        FreshFolder("wendrik-page");
        Page(language);
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(language == 1 ? "Registry exported to " + Target() +
                                      " ! The registry editor ran without administrator rights: keys that this "
                                      "user may not read are missing."
                                : "Registry wurde nach " + Target() +
                                      " exportiert ! Der Registrierungs-Editor lief ohne Administratorrechte: "
                                      "Schlüssel, die dieser Benutzer nicht lesen darf, fehlen.",
                  boxes.Texts()[0]);
        EXPECT_EQ(1, wendrik::SavedFlag);
        ModulFree();
        wendrik::SavedFlag = 0;
    }
}

// The editor's own verdict counts: a file that looks whole from an editor
// that ended with an error is not taken, and an earlier backup stays.
TEST_F(PageTest, AnEditorThatEndsWithAnErrorLeavesTheEarlierBackup) {
    Today();  // the files are written now: no question about another day's backup
    Page(1);
    {
        BoxAnswerer boxes;
        ModulSaveChanges();
    }
    const std::string before = FileText(Target());
    ASSERT_FALSE(before.empty());
    fake.SetExitCode(5);
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("The registry editor did not write a complete export to " + Target() +
                  " (the registry editor ended with code 5). The export failed. The earlier backup " + Target() +
                  " is unchanged.",
              boxes.Texts()[0]);
    EXPECT_EQ(before, FileText(Target()));
    EXPECT_EQ(std::vector<std::string>{page->ExportFileName()}, FilesIn(folder));
}

// A whole export whose dated name cannot be taken (another program has the
// old file open) is kept under its temporary name, and the message says where.
TEST_F(PageTest, AWholeExportThatCannotReplaceTheOldFileIsKept) {
    Today();  // the files are written now: no question about another day's backup
    Page(1);
    const std::string target = Target();
    {
        FILE* f = std::fopen(target.c_str(), "wb");
        std::fputs("the old backup", f);
        std::fclose(f);
    }
    HANDLE open = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    BoxAnswerer boxes;
    ModulSaveChanges();
    CloseHandle(open);
    ASSERT_EQ(1u, boxes.Texts().size());
    ASSERT_EQ(1u, fake.Starts().size());
    const std::string kept = EditorFile(fake.Starts()[0].parameters);
    EXPECT_EQ(0u, boxes.Texts()[0].find("The export is complete, but " + target + " could not be replaced (")) << boxes.Texts()[0];
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("The new export was kept as " + kept + ".")) << boxes.Texts()[0];
    EXPECT_EQ("the old backup", FileText(target));
    EXPECT_EQ(0u, FileText(kept).find(std::string("\xFF\xFEW\0i\0n\0", 8)));
    EXPECT_EQ(0, wendrik::SavedFlag);
}

// The whole road with a real process: a stand-in editor that the page
// starts for real, ended from outside while it writes, as a user ends it.
HANDLE halfWritten = nullptr;

DWORD WINAPI EndTheEditorOnceHalfWritten(void*) {
    // Half written, or a minute gone: the editor is ended either way, by the
    // handle its start gave, so the page never waits for the stall's own end.
    const bool half = WaitForSingleObject(halfWritten, 60000) == WAIT_OBJECT_0;
    const bool ended = FakeSystem::Active()->EndRealProcess(1);
    return half && ended ? 0 : 1;
}

TEST_F(PageTest, AnEditorEndedWhileWritingLeavesTheEarlierBackupByteForByte) {
    Today();  // the files are written now: no question about another day's backup
    fake.SetWindowsFolder(platform::Application::ExeFolder() + "fakewin");
    fake.SetEditor(FakeSystem::Editor::Real);
    SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR", "whole");
    Page(1);
    {
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        ASSERT_EQ("Registry exported to " + Target() + " !", boxes.Texts()[0]);
    }
    const std::string good = FileText(Target());
    ASSERT_LT(100000u, good.size());

    const std::string event = "wendrik-half-written-" + std::to_string(GetCurrentProcessId());
    halfWritten = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR", "stall");
    SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR_EVENT", event.c_str());
    HANDLE killer = CreateThread(nullptr, 0, EndTheEditorOnceHalfWritten, nullptr, 0, nullptr);
    {
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ("The registry editor did not write a complete export to " + Target() +
                      " (the registry editor ended with code 1). The export failed. The earlier backup " +
                      Target() + " is unchanged.",
                  boxes.Texts()[0]);
    }
    WaitForSingleObject(killer, INFINITE);
    DWORD killed = 1;
    GetExitCodeThread(killer, &killed);
    EXPECT_EQ(0u, killed);
    CloseHandle(killer);
    CloseHandle(halfWritten);
    SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR", nullptr);
    SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR_EVENT", nullptr);
    EXPECT_TRUE(good == FileText(Target()));
    EXPECT_EQ(std::vector<std::string>{page->ExportFileName()}, FilesIn(folder));
}

}  // namespace
