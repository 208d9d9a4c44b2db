// A backup that lasts whatever the user does meanwhile: the page freed or
// the host ended while the editor writes, a disk that refuses to flush, a
// folder that stops answering or is given relative, a window that hangs,
// and who may read the file.
#include <windows.h>
#include <tlhelp32.h>

#include "PageFixture.h"
#include "module/PageTexts.h"
#include "template/HostProtocol.h"
#include "module/StrayExports.h"

using namespace testing_support;
using namespace page_test;
using wendrik::ExportFault;

namespace {

ExportFault CheckOf(const std::string& path) {
    wendrik::ExportFileCheck check({.nativeView = false, .userSid = wendrik::ExportFileCheck::CurrentUserSid()});
    return check.Check(path);
}

// The page freed while a real editor is half-way: the editor runs to its
// end, and the whole export it wrote becomes the dated file, silently.
TEST_F(PageTest, APageFreedWhileARealEditorWritesStillPutsTheWholeExportInPlace) {
    Today();  // the files are written now: no question about another day's backup
    RealEditor editor(fake, "pause");
    Page(1);
    const std::string target = Target(), name = page->ExportFileName();
    BoxAnswerer boxes;
    Ticker freeHalfWay([&] {
        if (!editor.HalfWritten()) return false;
        EXPECT_EQ(1, ModulFree());
        SetEvent(editor.goOn);
        return true;
    });
    ModulSaveChanges();
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
    EXPECT_TRUE(catcher.Received().empty());
    EXPECT_EQ(0, wendrik::SavedFlag);
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_EQ(std::vector<std::string>{name}, FilesIn(folder));
    EXPECT_EQ(ExportFault::None, CheckOf(target));
}

// A freed page's failure is still told, in its language, above the host's
// own window, which then owns the box.
TEST_F(PageTest, AFailureOfAFreedPageIsToldAboveTheHostsWindow) {
    HWND host = CreateWindowExA(0, "STATIC", "The host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
    for (int language : {0, 1}) {
        fake.SetEditor(FakeSystem::Editor::Pending);
        fake.SetExitCode(5);
        Page(language);
        BoxAnswerer boxes;
        Ticker freeIt([] {
            ModulFree();
            FakeSystem::Active()->Finish(true);
            return true;
        });
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find(language == 1 ? "the registry editor ended with code 5"
                                                                         : "der Registrierungs-Editor endete mit Code 5"))
            << boxes.Texts()[0];
        EXPECT_EQ(host, boxes.Owners()[0]);
        EXPECT_TRUE(catcher.Received().empty());
        EXPECT_TRUE(FilesIn(folder).empty());
        fake.ClearStarts();
    }
    DestroyWindow(host);
}

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

// A disk that refuses to write the new file through is a failed replace:
// the old backup stays byte for byte, and the message says why.
TEST_F(PageTest, ARefusedFlushKeepsTheOldFileByteForByte) {
    Today();
    Page(1);
    const std::string target = Target();
    if (FILE* f = std::fopen(target.c_str(), "wb")) {
        std::fputs("the old backup", f);
        std::fclose(f);
    }
    fake.SetFlushRefused(true);
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(0u, boxes.Texts()[0].find("The export is complete, but " + target +
                                        " could not be replaced (the new file could not be written through to the "
                                        "disk: "))
        << boxes.Texts()[0];
    EXPECT_EQ("the old backup", FileText(target));
    EXPECT_EQ(0, wendrik::SavedFlag);
    ASSERT_EQ(1u, fake.Starts().size());
    EXPECT_EQ(ExportFault::None, CheckOf(EditorFile(fake.Starts()[0].parameters)));
}

std::vector<std::string> AceSids(const std::string& path) {
    std::vector<std::string> sids;
    DWORD size = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<BYTE> descriptor(size ? size : 1);
    BOOL present = FALSE, defaulted = FALSE;
    ACL* acl = nullptr;
    if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size) ||
        !GetSecurityDescriptorDacl(descriptor.data(), &present, &acl, &defaulted) || !present || !acl)
        return {"(no list)"};
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        char* text = nullptr;
        if (GetAce(acl, i, reinterpret_cast<void**>(&ace)) && ConvertSidToStringSidA(&ace->SidStart, &text)) {
            sids.push_back(text);
            LocalFree(text);
        }
    }
    return sids;
}

// The export holds the machine's keys and the user's own: the dated file
// is opened by this user, the Administrators and the system alone.
TEST_F(PageTest, TheNewBackupCanBeOpenedOnlyByTheUserTheAdministratorsAndTheSystem) {
    Page();
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, boxes.Texts().size());
    const std::string user = wendrik::ExportFileCheck::CurrentUserSid();
    const std::vector<std::string> sids = AceSids(Target());
    EXPECT_NE(sids.end(), std::find(sids.begin(), sids.end(), user));
    for (const std::string& sid : sids) EXPECT_TRUE(sid == user || sid == "S-1-5-32-544" || sid == "S-1-5-18") << sid;
    // A file made in the same folder without such a list is open to more.
    const std::string plain = folder + "\\plain.txt";
    CloseHandle(CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::vector<std::string> others = AceSids(plain);
    EXPECT_TRUE(std::any_of(others.begin(), others.end(), [&](const std::string& sid) {
        return sid != user && sid != "S-1-5-32-544" && sid != "S-1-5-18";
    }));
}

// A share that stopped answering is refused at once, in either language,
// and nothing is started.
TEST_F(PageTest, AFolderThatDoesNotAnswerIsRefusedWithinASecond) {
    for (int language : {0, 1}) {
        Page(language);
        fake.SetHangingPath(folder);
        BoxAnswerer boxes;
        const DWORD start = GetTickCount();
        ModulSaveChanges();
        const DWORD took = GetTickCount() - start;
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_LT(took, 1500u);
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find(language == 1 ? "does not answer" : "antwortet nicht"))
            << boxes.Texts()[0];
        EXPECT_TRUE(fake.Starts().empty());
        EXPECT_EQ(0, wendrik::SavedFlag);
    }
    FakeSystem::ReleaseBlockedQueries();
}

// "C:" is drive C's current folder, "Sub" a folder in the process's: the
// editor is told the full path, and the file lands where the check reads it.
TEST_F(PageTest, ARelativeFolderIsTheOneTheProcessMeansAtTheStart) {
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_EQ(':', folder[1]);
    CreateDirectoryA((folder + "\\Sub").c_str(), nullptr);
    DeleteFileA((folder + "\\Sub\\2026127.reg").c_str());  // an earlier run's
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    struct Typed { std::string text, dir; };
    for (const Typed& typed : {Typed{folder.substr(0, 2), folder}, Typed{"Sub", folder + "\\Sub"}}) {
        backup.SetString(typed.text);
        Page(1);
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size()) << boxes.Joined();
        EXPECT_EQ("Registry exported to " + typed.dir + "\\2026127.reg !", boxes.Texts()[0]);
        ASSERT_EQ(1u, fake.Starts().size());
        EXPECT_TRUE(WritesTemporaryOf(typed.dir, "2026127.reg", fake.Starts()[0].parameters))
            << fake.Starts()[0].parameters;
        EXPECT_EQ(typed.dir, fake.Starts()[0].directory);
        EXPECT_EQ(ExportFault::None, CheckOf(typed.dir + "\\2026127.reg"));
        fake.ClearStarts();
        ModulFree();
    }
    SetCurrentDirectoryA(saved);
}

// A folder that cannot be written is said to be so, with the system's
// reason: not blamed on the editor.
TEST_F(PageTest, AFolderThatCannotBeWrittenIsSaidToBeSo) {
    fake.SetDiskFull(folder);
    for (int language : {0, 1}) {
        Page(language);
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        // The system's reason in the page's language where wine has it, else in its own.
        const std::string reason = wendrik::page_texts::SystemReason(language == 1, ERROR_DISK_FULL);
        EXPECT_EQ(language == 1 ? "Nothing can be written to the backup directory \"" + folder + "\" (" + reason +
                                      "). Nothing was exported."
                                : "In das Backup Verzeichnis \"" + folder + "\" kann nicht geschrieben werden (" +
                                      reason + "). Es wurde nichts exportiert.",
                  boxes.Texts()[0]);
        EXPECT_EQ(std::string::npos, boxes.Texts()[0].find(language == 1 ? "editor" : "Editor"));
        EXPECT_TRUE(fake.Starts().empty());
        EXPECT_TRUE(FilesIn(folder).empty());
    }
}

// A window anywhere that stopped answering does not hold up apply: the
// broadcast still reaches every window that answers.
HANDLE releaseHung = nullptr, hungReady = nullptr;

DWORD WINAPI HangWithAWindow(void*) {
    HWND window = CreateWindowExA(0, "STATIC", "hung", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    SetEvent(hungReady);
    WaitForSingleObject(releaseHung, 30000);  // answers no message meanwhile
    DestroyWindow(window);
    return 0;
}

TEST_F(PageTest, AHungWindowDoesNotHoldTheApplyBroadcast) {
    releaseHung = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    hungReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    platform::KernelHandle thread(CreateThread(nullptr, 0, HangWithAWindow, nullptr, 0, nullptr));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hungReady, 10000));
    Page();
    catcher.Clear();
    BoxAnswerer boxes;
    const DWORD start = GetTickCount();
    ModulSaveChanges();
    const DWORD took = GetTickCount() - start;
    SetEvent(releaseHung);
    WaitForSingleObject(thread.Get(), 30000);
    EXPECT_LT(took, 15000u);  // released after 30 s: without the time limit it waits for that
    ASSERT_EQ(1u, catcher.Received().size());
    EXPECT_EQ(wendrik::CommandApplied, static_cast<int>(catcher.Received()[0].first));
    CloseHandle(releaseHung);
    CloseHandle(hungReady);
}

}  // namespace
