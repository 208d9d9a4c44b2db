// What an export leaves when nobody puts it in place (the thread quit, the
// host was ended while its editor wrote, a replace broke off), and how the
// next page settles it.
#include <windows.h>
#include <tlhelp32.h>

#include "PageFixture.h"
#include "module/StrayExports.h"

using namespace testing_support;
using namespace desktop;
using namespace page_test;
using wendrik::ExportFault;

namespace {

// The thread quitting ends the wait: nothing is told, nothing applied, and
// the file the editor still writes is left for the next page, which finds
// it not whole once the editor has gone, and deletes it.
TEST_F(PageTest, AThreadThatQuitsLeavesTheEditorsFileForTheNextPage) {
    fake.SetEditor(FakeSystem::Editor::Pending);
    Page();
    BoxAnswerer boxes;
    Ticker quit([&] {
        char line[64] = {};  // the line says so once the editor's run is awaited
        GetWindowTextA(page->T288_Label_Status->Handle(), line, sizeof(line));
        if (std::string(line).rfind("Export läuft", 0) != 0) return false;
        PostQuitMessage(3);
        return true;
    });
    ModulSaveChanges();
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // posted again for the host's loop
    EXPECT_EQ(3u, message.wParam);
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
    EXPECT_TRUE(catcher.Received().empty());
    EXPECT_EQ(0, wendrik::SavedFlag);
    const std::vector<std::string> left = FilesIn(folder);
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ('~', left[0][0]);
    fake.Finish(false);  // the editor ends without writing
    ModulFree();
    Page();
    EXPECT_TRUE(PumpUntil([&] { return FilesIn(folder).empty(); })) << FilesIn(folder).size();
}

// The host's side of the next test: a page whose export runs until the
// test ends this process. Run only as that child.
TEST_F(PageTest, DISABLED_ActsAsAHostUntilEnded) {
    char folderName[MAX_PATH] = {};
    ASSERT_NE(0u, GetEnvironmentVariableA("WENDRIK_HOST_FOLDER", folderName, MAX_PATH));
    Today();
    backup.SetString(folderName);
    fake.SetWindowsFolder(platform::Application::ExeFolder() + "fakewin");
    fake.SetEditor(FakeSystem::Editor::Real);
    Page();
    ModulSaveChanges();
}

DWORD ChildEditor(DWORD host) {
    platform::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {sizeof(entry)};
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
        if (entry.th32ParentProcessID == host && lstrcmpiA(entry.szExeFile, "regedit.exe") == 0)
            return entry.th32ProcessID;
    return 0;
}

// A host ended while its editor writes leaves a whole export under its
// temporary name, which the next page that opens on the folder settles.
TEST_F(PageTest, AnExportLeftByAHostThatWasEndedIsSettledByTheNextPage) {
    Today();
    const std::string quit = FreshFolder("wendrik-quit");
    RealEditor editor(fake, "pause");
    SetEnvironmentVariableA("WENDRIK_HOST_FOLDER", quit.c_str());
    const std::string exe = platform::Application::ExeFolder() + "page_test.exe";
    std::string line = "\"" + exe + "\" --gtest_filter=PageTest.DISABLED_ActsAsAHostUntilEnded "
                       "--gtest_also_run_disabled_tests";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    platform::KernelHandle hostProcess(info.hProcess), hostThread(info.hThread);
    SetEnvironmentVariableA("WENDRIK_HOST_FOLDER", nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(editor.halfWritten, 60000));
    platform::KernelHandle editorProcess(OpenProcess(SYNCHRONIZE, FALSE, ChildEditor(info.dwProcessId)));
    ASSERT_TRUE(editorProcess);
    ASSERT_TRUE(TerminateProcess(hostProcess.Get(), 1));  // as the user ends a host that seems to hang
    WaitForSingleObject(hostProcess.Get(), 30000);
    SetEvent(editor.goOn);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(editorProcess.Get(), 60000));
    const std::vector<std::string> left = FilesIn(quit);
    ASSERT_EQ(1u, left.size());
    std::string dated;
    ASSERT_TRUE(wendrik::StrayExports::TemporaryName(left[0], dated)) << left[0];

    backup.SetString(quit);
    Page();
    EXPECT_TRUE(PumpUntil([&] { return FilesIn(quit) == std::vector<std::string>{dated}; }))
        << FilesIn(quit).size() << " files, the first " << FilesIn(quit)[0];
    EXPECT_EQ(ExportFault::None, CheckOf(quit + "\\" + dated));
}

// What settling does with each kind of file it may meet: a whole stray
// takes an older or missing dated file's place; a cut one, or one older
// than the dated file, goes; one still open, one a running export holds,
// and any file this module did not name stay as they are.
TEST_F(PageTest, SettlingTakesOnlyWhatThisModuleLeftAndNeverAGoodFilesPlace) {
    auto write = [&](const std::string& name, const std::string& text, WORD day) {
        if (FILE* f = std::fopen((folder + "\\" + name).c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
        SetFileDate(folder + "\\" + name, 2026, 12, day);
    };
    const std::string whole = FakeSystem::ExportText(FakeSystem::Editor::Writes);
    write("2026121.reg", "an older backup", 1);
    write("~2026121.reg.00000001.tmp", whole, 2);                                     // newer: takes its place
    write("2026122.reg", "a newer backup", 9);
    write("~2026122.reg.00000002.tmp", whole, 3);                                     // older: goes
    write("~2026123.reg.00000003.tmp", FakeSystem::ExportText(FakeSystem::Editor::WritesCutInUsers), 3);  // cut
    write("~2026124.reg.00000004.tmp", whole, 4);                                     // open elsewhere: stays
    write("~2026125.reg.0000000G.tmp", whole, 5);                                     // not our name
    write("~notes.tmp", "a note", 5);
    // Old backups a broken rename left aside: one whose name is empty goes
    // back to it, one whose new file is in place goes.
    write("~2026126.reg.00000006.old", "the backup of the 6th", 6);
    write("2026127.reg", "the new backup of the 7th", 7);
    write("~2026127.reg.00000007.old", "the old backup of the 7th", 6);
    HANDLE open = CreateFileA((folder + "\\~2026124.reg.00000004.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    EXPECT_EQ(5, wendrik::StrayExports::Settle(folder, {.nativeView = false, .userSid = ""}, false));
    CloseHandle(open);
    EXPECT_EQ((std::vector<std::string>{"2026121.reg", "2026122.reg", "2026126.reg", "2026127.reg",
                                        "~2026124.reg.00000004.tmp", "~2026125.reg.0000000G.tmp", "~notes.tmp"}),
              FilesIn(folder));
    EXPECT_EQ("the backup of the 6th", FileText(folder + "\\2026126.reg"));
    EXPECT_EQ("the new backup of the 7th", FileText(folder + "\\2026127.reg"));
    EXPECT_TRUE(whole == FileText(folder + "\\2026121.reg"));
    EXPECT_EQ("a newer backup", FileText(folder + "\\2026122.reg"));
}

}  // namespace
