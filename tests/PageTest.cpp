// The registry export page: file name, backup directory, check box, the
// editor it starts, and the folders it refuses.
#include "PageFixture.h"

using namespace testing_support;
using namespace desktop;
using namespace page_test;
using wendrik::TFormWendrik;

namespace {

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
        EXPECT_TRUE(WritesTemporaryOf(folder, day.name, fake.Starts()[0].parameters)) << fake.Starts()[0].parameters;
        // The whole export took the dated name; no temporary file is left behind.
        std::vector<std::string> files = FilesIn(folder);
        EXPECT_NE(files.end(), std::find(files.begin(), files.end(), day.name));
        EXPECT_TRUE(std::none_of(files.begin(), files.end(), [](const std::string& f) { return f[0] == '~'; }));
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
    EXPECT_TRUE(WritesTemporaryOf(folder, "2026127.reg", fake.Starts()[0].parameters)) << fake.Starts()[0].parameters;
    EXPECT_EQ(std::vector<std::string>{"2026127.reg"}, FilesIn(folder));
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
        // A process of its own, no shell between: nothing asks for an owner window.
        EXPECT_TRUE(start.process);
        EXPECT_TRUE(WritesTemporaryOf(folder, "2026127.reg", start.parameters)) << start.parameters;
        EXPECT_EQ(folder, start.directory);
        EXPECT_EQ(SW_SHOW, start.show);
        EXPECT_EQ(std::vector<std::string>{"2026127.reg"}, FilesIn(folder));
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
