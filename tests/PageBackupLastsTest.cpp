// A backup that lasts whatever the user does meanwhile: the page freed
// while the editor writes, a disk that refuses to flush, a folder that
// stops answering or is given relative, a window that hangs, and who may
// read the file.
#include <windows.h>

#include "PageFixture.h"
#include "module/PageTexts.h"
#include "template/HostProtocol.h"

using namespace testing_support;
using namespace desktop;
using namespace page_test;
using wendrik::ExportFault;

namespace {

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
        WhileTheEditorRuns freeIt([] {
            ModulFree();
            FakeSystem::Active()->Finish(true);
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
        const std::string reason = wendrik::page_texts::SystemReason(ERROR_DISK_FULL);
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
