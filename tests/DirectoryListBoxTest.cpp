// The directory list box on real folder trees of the test drive M:: the
// items for a deep path, a drive root and a share root, what is
// left out, opening items, assigned paths of every kind, the linked drive
// combo box, the drawn indents, and a folder whose name has a trail "\".
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "FakeSystem.h"
#include "ListHelpers.h"
#include "PixelCapture.h"
#include "Pump.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/PathLabel.h"
#include "platform/system/Application.h"
#include "platform/drawing/Bitmap.h"
#include "platform/system/Files.h"
#include "platform/system/Text.h"
#include "platform/system/InOutError.h"

using namespace testing_support;
using namespace desktop;
using wendrik::TDirectoryListBox;
using Texts = std::vector<std::string>;

namespace {

void MakeFolder(const std::string& path, DWORD attributes = 0) {
    platform::ForceDirectories(path);
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
}

class DirectoryListBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        MakeFolder("M:\\dlt\\Deep\\Tree\\Here");
        for (const char* sub : {"b", "A", "c"}) MakeFolder(std::string("M:\\dlt\\Deep\\Tree\\Here\\") + sub);
        MakeFolder("M:\\dlt\\Deep\\Tree\\Here\\hidden", FILE_ATTRIBUTE_HIDDEN);
        MakeFolder("M:\\dlt\\Deep\\Tree\\Here\\system", FILE_ATTRIBUTE_SYSTEM);
        MakeFolder("M:\\dlt\\Deep\\Other");
        MakeFolder("M:\\dlt\\Two\\sub");
        HANDLE f = CreateFileA("M:\\dlt\\Deep\\Tree\\Here\\f.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(f);
    }
    void SetUp() override {
        saved = platform::GetDir();
        ASSERT_TRUE(SetCurrentDirectoryA("M:\\dlt"));
        list = form.Add<TDirectoryListBox>(10, 10, 200, 300);
        list->OnChange = [this] { events.push_back("list"); };
    }
    void TearDown() override { SetCurrentDirectoryA(saved.c_str()); }
    Texts Items() const { return ListBoxTexts(list->Handle()); }
    int Selected() const { return ListBoxSelection(list->Handle()); }
    // Where the item's first pixel unlike the list's background is, from the left.
    int InkAt(int index) {
        RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pixels shown = CaptureClient(list->Handle());
        RECT item;
        SendMessageA(list->Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        int y = (item.top + item.bottom) / 2;
        for (int x = item.left; x < item.right; ++x)
            if (shown.At(x, y) != shown.At(item.right - 1, y)) return x - item.left;
        return -1;
    }
    void DoubleClick(int index) {
        RECT item;
        SendMessageA(list->Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        LPARAM at = MAKELPARAM(item.left + 30, (item.top + item.bottom) / 2);
        SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
        SendMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
        PumpPending();
    }

    std::string saved;
    ControlForm form;
    TDirectoryListBox* list = nullptr;
    std::vector<std::string> events;
};

TEST_F(DirectoryListBoxTest, ADeepPathShowsRootAncestorsItselfAndSortedSubfolders) {
    list->ChangeCurrentDir("M:\\dlt\\Deep\\Tree\\Here");
    // Hidden and system folders are left out, "." and ".." never shown; "b", "A", "c" sort as A, b, c.
    EXPECT_EQ((Texts{"M:\\", "dlt", "Deep", "Tree", "Here", "A", "b", "c"}), Items());
    EXPECT_EQ(4, Selected());
    EXPECT_EQ("M:\\dlt\\Deep\\Tree\\Here", platform::GetDir());  // left where it shows
    EXPECT_EQ("M:\\dlt\\Deep", list->PathOfItem(2));
    EXPECT_EQ("M:\\dlt\\Deep\\Tree\\Here\\b", list->PathOfItem(6));
    EXPECT_EQ("M:\\", list->PathOfItem(0));
    EXPECT_EQ("", list->PathOfItem(8));
}

TEST_F(DirectoryListBoxTest, ADriveRootIsItsOwnCurrentItem) {
    ASSERT_TRUE(SetCurrentDirectoryA("M:\\"));
    auto* fresh = form.Add<TDirectoryListBox>(220, 10, 200, 300);
    Texts items = ListBoxTexts(fresh->Handle());
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ("M:\\", items[0]);
    EXPECT_EQ(1, ListBoxSelection(fresh->Handle()));  // at window creation: the first subfolder
    fresh->ChangeCurrentDir("M:\\dlt");
    fresh->ChangeCurrentDir("M:\\");
    EXPECT_EQ(0, ListBoxSelection(fresh->Handle()));  // after a rebuild: the root itself
}

TEST_F(DirectoryListBoxTest, AShareRootHasOnlyItselfAndItsFolders) {
    list->ChangeCurrentDir("\\\\srv\\share");
    EXPECT_EQ((Texts{"\\\\srv\\share\\", "x"}), Items());
    EXPECT_EQ(0, Selected());
    EXPECT_EQ('\\', list->DriveLetter());
    list->ChangeCurrentDir("\\\\srv\\share\\x");
    EXPECT_EQ((Texts{"\\\\srv\\share\\", "x"}), Items());
    EXPECT_EQ(1, Selected());
    EXPECT_EQ("\\\\srv\\share\\", list->PathOfItem(0));
}

TEST_F(DirectoryListBoxTest, OpeningTheCurrentItemAnAncestorAndTheRoot) {
    list->ChangeCurrentDir("M:\\dlt\\Deep\\Tree\\Here");
    events.clear();
    SetFocus(list->Handle());
    SendMessageA(list->Handle(), LB_SETCURSEL, 4, 0);
    PostMessageA(list->Handle(), WM_KEYDOWN, VK_RETURN, 1);  // Enter, through the hook and the dialog keys
    PumpPending();
    EXPECT_TRUE(events.empty()) << "opening the current folder changes nothing";
    DoubleClick(2);
    EXPECT_EQ("M:\\dlt\\Deep", list->CurrentDir());
    EXPECT_EQ((Texts{"M:\\", "dlt", "Deep", "Other", "Tree"}), Items());
    EXPECT_EQ(2, Selected());
    EXPECT_EQ(1u, events.size());
    SendMessageA(list->Handle(), LB_SETCURSEL, 0, 0);
    PostMessageA(list->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ("M:\\", list->CurrentDir());
    SendMessageA(list->Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    list->OpenSelected();  // nothing selected: nothing happens
    EXPECT_EQ("M:\\", list->CurrentDir());
}

TEST_F(DirectoryListBoxTest, AssignedPathsOfEveryKind) {
    list->ChangeCurrentDir("M:\\dlt\\Deep\\Tree");
    list->ChangeCurrentDir("..\\Other");  // from the directory shown
    EXPECT_EQ("M:\\dlt\\Deep\\Other", list->CurrentDir());
    list->ChangeCurrentDir("M:\\dlt\\Deep\\Tree\\Here\\f.txt");  // a file: its folder
    EXPECT_EQ("M:\\dlt\\Deep\\Tree\\Here", list->CurrentDir());
    list->ChangeCurrentDir("M:\\dlt\\Deep\\*.exe");  // a mask: its folder
    EXPECT_EQ("M:\\dlt\\Deep", list->CurrentDir());
    events.clear();
    list->ChangeCurrentDir("m:\\DLT\\deep");  // the same folder in other letters: nothing
    list->ChangeCurrentDir("");
    EXPECT_TRUE(events.empty());
}

TEST_F(DirectoryListBoxTest, ANonexistentPathRaisesAndChangesNothing) {
    auto* label = form.Add<wendrik::TPathLabel>(10, 320, 300, 16);
    list->SetDirLabel(label);
    list->ChangeCurrentDir("M:\\dlt\\Deep");
    Texts before = Items();
    std::string caption = label->Text();
    events.clear();
    EXPECT_THROW(list->ChangeCurrentDir("M:\\dlt\\Deep\\missing\\more"), platform::InOutError);
    EXPECT_EQ("M:\\dlt\\Deep", list->CurrentDir());
    EXPECT_EQ(before, Items());
    EXPECT_EQ(caption, label->Text());
    EXPECT_EQ("M:\\dlt\\Deep", platform::GetDir());
    EXPECT_TRUE(events.empty());
}

TEST_F(DirectoryListBoxTest, ADriveAssignedMovesTheLinkedComboBoxFirst) {
    auto* drives = form.Add<wendrik::TDriveComboBox>(220, 10, 185, 19);
    drives->SetDirList(list);
    drives->OnChange = [this] { events.push_back("drives"); };
    list->ChangeCurrentDir("M:\\dlt");
    events.clear();
    list->ChangeCurrentDir("N:");  // drive N's own current directory
    EXPECT_EQ('N', std::toupper(list->DriveLetter()));
    EXPECT_EQ((std::vector<std::string>{"drives", "list"}), events);  // the combo box's, then the list's, once
    EXPECT_EQ("n: []", ComboBoxTexts(drives->Handle())[ComboBoxSelection(drives->Handle())]);
    list->SetDriveLetter('M');
    EXPECT_EQ('M', std::toupper(list->DriveLetter()));  // back on M, at M's own current directory
    EXPECT_EQ("M:\\", platform::AnsiUpperCaseFileName(list->CurrentDir()).substr(0, 3));
}

// The first column of a glyph resource that is not its transparent colour.
int FirstOpaqueColumn(const char* name) {
    platform::Bitmap glyph;
    glyph.LoadFromResourceName(platform::Application::Instance(), name);
    COLORREF clear = glyph.Pixel(0, glyph.Height() - 1);
    for (int x = 0; x < glyph.Width(); ++x)
        for (int y = 0; y < glyph.Height(); ++y)
            if (glyph.Pixel(x, y) != clear) return x;
    return -1;
}

TEST_F(DirectoryListBoxTest, GlyphsIndentByDepthAndSubfoldersOneStepBelow) {
    const int opened = FirstOpaqueColumn("OPENFOLDER"), current = FirstOpaqueColumn("CURRENTFOLDER"),
              closed = FirstOpaqueColumn("CLOSEDFOLDER");
    list->ChangeCurrentDir("M:\\dlt\\Two");
    ASSERT_EQ((Texts{"M:\\", "dlt", "Two", "sub"}), Items());
    SendMessageA(list->Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(2 + opened, InkAt(0));
    EXPECT_EQ(6 + opened, InkAt(1));
    EXPECT_EQ(10 + current, InkAt(2));
    EXPECT_EQ(14 + closed, InkAt(3));
    list->ChangeCurrentDir("M:\\");
    SendMessageA(list->Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(2 + current, InkAt(0));
    EXPECT_EQ(10 + closed, InkAt(1));
}

TEST_F(DirectoryListBoxTest, TinyFontsGiveSixteenPixelItems) {
    platform::FontSpec tiny;
    tiny.height = -6;
    list->SetFont(tiny);
    EXPECT_EQ(16, SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0));
}

TEST_F(DirectoryListBoxTest, Cp932AFolderWithATrailBackslash) {
    if (GetACP() != 932) {
        EXPECT_EQ(nullptr, getenv("WENDRIK_EXPECT_CP932")) << "code page 932 was asked for";
        GTEST_SKIP() << "needs code page 932";
    }
    const std::string hyo = "\x95\x5C";  // its trail byte is "\"
    MakeFolder("M:\\dlt\\" + hyo + "\\sub");
    list->ChangeCurrentDir("M:\\dlt\\" + hyo);
    EXPECT_EQ(2, TDirectoryListBox::PathDepth(list->CurrentDir()));
    EXPECT_EQ((Texts{"M:\\", "dlt", hyo, "sub"}), Items());
    EXPECT_EQ("M:\\dlt\\" + hyo + "\\sub", list->PathOfItem(3));
    list->ChangeCurrentDir("M:\\dlt\\" + hyo + "\\sub");
    EXPECT_EQ("M:\\dlt\\" + hyo, list->PathOfItem(2));
}

}  // namespace

namespace {

std::string Narrow(const std::wstring& wide) {
    char text[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

// A folder named in letters outside the code page (Cyrillic under 1252): the
// ANSI search gives "?" for them, which would be taken for a mask.
TEST_F(DirectoryListBoxTest, AFolderNamedOutsideTheCodePageIsListedAndEnteredByItsShortName) {
    const std::wstring odd = L"M:\\odd\\\x041E\x0440\x0434\x0435\x0440 \x0434\x0430\x043D\x043D\x044B\x0445";
    CreateDirectoryW(L"M:\\odd", nullptr);
    CreateDirectoryW(odd.c_str(), nullptr);
    CreateDirectoryW((odd + L"\\inner").c_str(), nullptr);
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameW(odd.c_str(), shortPath, MAX_PATH));
    const std::string shortName = platform::ExtractFileName(Narrow(shortPath));
    ASSERT_EQ(std::string::npos, shortName.find('?')) << shortName;

    list->ChangeCurrentDir("M:\\odd");
    Texts items = Items();
    ASSERT_EQ(3u, items.size()) << ::testing::PrintToString(items);
    EXPECT_EQ(0, lstrcmpiA(shortName.c_str(), items[2].c_str())) << items[2];
    DoubleClick(2);
    EXPECT_EQ(0, lstrcmpiA(("M:\\odd\\" + shortName).c_str(), list->CurrentDir().c_str())) << list->CurrentDir();
    EXPECT_EQ("inner", Items().back());

    // The process standing in such a folder: the first fill works.
    ASSERT_TRUE(SetCurrentDirectoryW((odd + L"\\inner").c_str()));
    auto* another = form.Add<TDirectoryListBox>(220, 10, 200, 300);
    EXPECT_EQ(std::string::npos, another->CurrentDir().find('?')) << another->CurrentDir();
    Texts shown = ListBoxTexts(another->Handle());
    ASSERT_EQ(4u, shown.size()) << ::testing::PrintToString(shown);
    EXPECT_EQ(0, lstrcmpiA(shortName.c_str(), shown[2].c_str())) << shown[2];
    EXPECT_EQ("inner", shown[3]);
}

}  // namespace

namespace {

// From about 255 characters a folder can still be entered but its search
// pattern no longer fits the system's limit: refused with a clear message,
// never listed without its subfolders.
TEST_F(DirectoryListBoxTest, AFolderTooDeepToListIsRefusedAndNothingChanges) {
    std::string fits = "M:\\long";
    CreateDirectoryA(fits.c_str(), nullptr);
    while (fits.size() < 240) {
        fits += "\\" + std::string(std::min<size_t>(40, 240 - fits.size() - 1), 'd');
        CreateDirectoryA(fits.c_str(), nullptr);
    }
    ASSERT_EQ(240u, fits.size());
    const std::string tooDeep = fits + "\\" + std::string(15, 'x');  // 256: "\*.*" makes 260
    std::wstring wide(L"\\\\?\\");
    for (char c : tooDeep) wide += static_cast<wchar_t>(c);
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    CreateDirectoryW((wide + L"\\y").c_str(), nullptr);

    list->ChangeCurrentDir(fits);
    EXPECT_EQ(std::string(15, 'x'), Items().back());
    events.clear();
    try {
        list->ChangeCurrentDir(tooDeep);
        ADD_FAILURE() << "entered";
    } catch (const platform::InOutError& error) {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("zu tief")) << error.what();
    }
    EXPECT_EQ(fits, list->CurrentDir());
    EXPECT_EQ(fits, platform::GetDir());
    EXPECT_TRUE(events.empty());
    // Past 258 characters the system refuses to enter it: the same message, not a bare error number.
    const std::string tooLong = tooDeep + "\\y";
    try {
        list->ChangeCurrentDir(tooLong);
        ADD_FAILURE() << "entered";
    } catch (const platform::InOutError& error) {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("zu tief")) << error.what();
    }
    EXPECT_EQ(fits, list->CurrentDir());
}

}  // namespace

namespace {

// A share that has gone away hangs whoever enters it: the list asks it
// beside the window first, and gives up after the drives' half second.
TEST_F(DirectoryListBoxTest, AFolderThatDoesNotAnswerIsRefusedInTimeAndNothingChanges) {
    FakeSystem fake;
    list->ChangeCurrentDir("M:\\dlt\\Two");
    fake.SetHangingPath("\\\\srv\\share");
    events.clear();
    const DWORD start = GetTickCount();
    try {
        list->ChangeCurrentDir("\\\\srv\\share\\x");
        ADD_FAILURE() << "entered";
    } catch (const platform::InOutError& error) {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("antwortet nicht")) << error.what();
    }
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ("M:\\dlt\\Two", list->CurrentDir());
    EXPECT_EQ("M:\\dlt\\Two", platform::GetDir());
    EXPECT_TRUE(events.empty());
    FakeSystem::ReleaseBlockedQueries();
}

// A volume that does not answer in time: the tree is built all the same,
// with the rules of Windows' own file systems, but the folder is not
// listed: its search would hang the window.
TEST_F(DirectoryListBoxTest, AVolumeThatDoesNotAnswerStillGivesATreeInTime) {
    FakeSystem fake;
    fake.SetDrives({{'m', DRIVE_FIXED, "System", nullptr, true}});
    const DWORD start = GetTickCount();
    list->ChangeCurrentDir("M:\\dlt\\Two");
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ((Texts{"M:\\", "dlt", "Two"}), Items());
    FakeSystem::ReleaseBlockedQueries();
}

}  // namespace
