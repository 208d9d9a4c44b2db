// The file list box on real folders of the test drive M:: kinds and masks,
// glyphs, typed paths, the linked edit, notifications, the hourglass, the
// linked directory list box; and its own ordering against a real sorted
// list box fed the same names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "ListHelpers.h"
#include "PageHelpers.h"
#include "PixelCapture.h"
#include "Pump.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "platform/controls/Edit.h"
#include "platform/system/Files.h"
#include "platform/system/InOutError.h"
#include "platform/system/InvalidOperation.h"
#include "filectrl/ListBoxSortOrder.h"
#include "platform/drawing/Screen.h"

using namespace testing_support;
using namespace desktop;
using namespace wendrik;
using Texts = std::vector<std::string>;

namespace {

const char kFolder[] = "M:\\flt";

void Touch(const std::string& path, DWORD attributes = 0) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
}

// The order a real sorted list box puts `texts` in.
Texts SortedByListBox(const Texts& texts) {
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_HASSTRINGS | LBS_SORT, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
    for (const std::string& t : texts) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
    Texts sorted = ListBoxTexts(list);
    DestroyWindow(list);
    return sorted;
}

class FileListBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        platform::ForceDirectories(std::string(kFolder) + "\\subA");
        platform::ForceDirectories(std::string(kFolder) + "\\subB");
        for (const char* name : {"a.txt", "B.log", "c.TXT", "setup.EXE", "notes.exe.txt", "README", "readme.txt"})
            Touch(std::string(kFolder) + "\\" + name);
        Touch(std::string(kFolder) + "\\readonly.dat", FILE_ATTRIBUTE_READONLY);
        Touch(std::string(kFolder) + "\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
        Touch(std::string(kFolder) + "\\system.txt", FILE_ATTRIBUTE_SYSTEM);
    }
    void SetUp() override {
        saved = platform::GetDir();
        ASSERT_TRUE(SetCurrentDirectoryA(kFolder));
        files = form.Add<TFileListBox>(10, 10, 200, 300);
        files->OnChange = [this] { ++changes; };
    }
    void TearDown() override { SetCurrentDirectoryA(saved.c_str()); }
    Texts Items() const { return ListBoxTexts(files->Handle()); }
    void ClickItem(int index) {
        RECT item;
        SendMessageA(files->Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        ClickAt(files->Handle(), POINT{item.left + 40, (item.top + item.bottom) / 2});
        PumpPending();
    }
    // The colour at a point of an item's glyph cell, (x, y) within the 16 x 15 glyph.
    DWORD GlyphPixel(int index, int x, int y) {
        RedrawWindow(files->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pixels shown = CaptureClient(files->Handle());
        RECT item;
        SendMessageA(files->Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        return shown.At(item.left + 2 + x, (item.top + item.bottom - 15) / 2 + y);
    }
    int IndexOf(const std::string& text) {
        Texts items = Items();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == text) return static_cast<int>(i);
        return -1;
    }

    std::string saved;
    ControlForm form;
    TFileListBox* files = nullptr;
    int changes = 0;
};

struct Case {
    const char* what;
    TFileType type;
    const char* mask;
    Texts expected;  // in any order: the real sorted list box gives the order
};

TEST_F(FileListBoxTest, KindsAndMasksChooseTheEntries) {
    const Case cases[] = {
        {"ordinary files", TFileType{ftNormal}, "*.*",
         {"a.txt", "B.log", "c.TXT", "setup.EXE", "notes.exe.txt", "README", "readme.txt", "readonly.dat"}},
        {"directories", TFileType{ftDirectory}, "*.*", {"[.]", "[..]", "[subA]", "[subB]"}},
        {"files and directories", TFileType{ftNormal, ftDirectory}, "*.*",
         {"a.txt", "B.log", "c.TXT", "setup.EXE", "notes.exe.txt", "README", "readme.txt", "readonly.dat", "[.]",
          "[..]", "[subA]", "[subB]"}},
        {"read-only", TFileType{ftReadOnly}, "*.*", {"readonly.dat"}},
        {"hidden", TFileType{ftHidden}, "*.*", {"hidden.txt"}},
        {"system", TFileType{ftSystem}, "*.*", {"system.txt"}},
        {"ordinary and hidden", TFileType{ftNormal, ftHidden}, "*.txt",
         {"a.txt", "c.TXT", "notes.exe.txt", "readme.txt", "hidden.txt"}},
        {"two patterns", TFileType{ftNormal}, "*.txt;*.log", {"a.txt", "c.TXT", "notes.exe.txt", "readme.txt", "B.log"}},
    };
    EXPECT_EQ(SortedByListBox(cases[0].expected), Items()) << "a new box: the ordinary files";
    for (const Case& c : cases) {
        files->SetMask(c.mask);
        files->SetFileType(c.type);
        EXPECT_EQ(SortedByListBox(c.expected), Items()) << c.what;
        EXPECT_EQ(c.mask, files->Mask()) << c.what;  // the mask reads as it was given
    }
}

TEST_F(FileListBoxTest, TheSameMaskDoesNotReadAgainAnotherCaseDoes) {
    files->SetMask("*.txt");
    int after = changes;
    files->SetMask("*.txt");
    EXPECT_EQ(after, changes);
    files->SetMask("*.TXT");
    EXPECT_EQ(after + 1, changes);
}

TEST_F(FileListBoxTest, GlyphsShowWhenAskedAndFolderGlyphsAfterTheNextFill) {
    files->SetFileType(TFileType{ftNormal, ftDirectory});
    const DWORD navy = 0x000080, white = 0xFFFFFF, yellow = 0xFFFF00;
    int setup = IndexOf("setup.EXE"), readme = IndexOf("README"), notes = IndexOf("notes.exe.txt");
    int folder = IndexOf("[subA]");
    SendMessageA(files->Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_NE(navy, GlyphPixel(setup, 5, 2)) << "no glyphs drawn yet";
    files->SetShowGlyphs(true);
    EXPECT_GE(SendMessageA(files->Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(navy, GlyphPixel(setup, 5, 2)) << "a program's glyph: its title bar";
    EXPECT_EQ(white, GlyphPixel(readme, 5, 3)) << "another file's";
    EXPECT_EQ(white, GlyphPixel(notes, 5, 3)) << "a name ending in .txt is no program";
    EXPECT_NE(yellow, GlyphPixel(folder, 5, 8)) << "directories get theirs at the next fill";
    files->FillFileList();
    folder = IndexOf("[subA]");
    EXPECT_EQ(yellow, GlyphPixel(folder, 5, 8));
}

TEST_F(FileListBoxTest, TypedPaths) {
    files->GoToPath("M:\\flt\\*.txt");
    EXPECT_EQ("*.txt", files->Mask());
    EXPECT_EQ("M:\\flt", files->CurrentDir());

    files->SetMask("*.exe");
    files->GoToPath("M:\\flt\\readme.txt");  // not listed under *.exe: the mask becomes its name
    EXPECT_EQ("readme.txt", files->Mask());
    EXPECT_EQ("readme.txt", files->SelectedName());

    int before = changes;
    files->GoToPath(files->SelectedPath());  // the selected entry's own path: nothing
    EXPECT_EQ(before, changes);

    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    files->ChangeCurrentDir("subA");  // from the listed directory, not from C:\ .
    EXPECT_EQ("M:\\flt\\subA", files->CurrentDir());

    Touch("M:\\flt\\going.txt");
    files->OnChange = [] { DeleteFileA("M:\\flt\\going.txt"); };  // gone once it is selected
    EXPECT_THROW(files->GoToPath("M:\\flt\\going.txt"), platform::InvalidOperation);
    EXPECT_EQ("M:\\flt", files->CurrentDir());  // the directory had moved already
}

TEST_F(FileListBoxTest, TheLinkedEditShowsTheMaskOrTheSelectedName) {
    auto* edit = form.Add<platform::Edit>(220, 10, 150, 20);
    files->SetMask("*.txt");
    files->SetFileEdit(edit);
    EXPECT_EQ("*.txt", WindowText(edit->Handle()));
    int item = IndexOf("readme.txt");
    ClickItem(item);
    EXPECT_EQ("readme.txt", WindowText(edit->Handle()));
    int afterClick = changes;
    ClickItem(item);  // the same item again: no second notification
    EXPECT_EQ(afterClick, changes);
    delete edit;  // the link goes with it
    EXPECT_EQ(nullptr, files->FileEdit());
    ClickItem(0);
}

std::vector<int> cursorsSeen;
void SeeCursor(int cursor) { cursorsSeen.push_back(cursor); }

TEST_F(FileListBoxTest, ALargeFillShowsTheHourglassAndPutsTheCursorBack) {
    const std::string big = "M:\\flt-large";
    platform::ForceDirectories(big);
    for (int i = 0; i < 400; ++i) {
        char name[32];
        wsprintfA(name, "\\n%03d.dat", (i * 37) % 400);
        Touch(big + name);
    }
    cursorsSeen.clear();
    platform::Screen::SetCursorObserver(SeeCursor);
    files->ChangeCurrentDir(big);
    platform::Screen::SetCursorObserver(nullptr);
    EXPECT_EQ((std::vector<int>{platform::CursorHourGlass, platform::CursorDefault}), cursorsSeen);
    EXPECT_EQ(400u, Items().size());

    platform::ForceDirectories("M:\\flt-gone");
    files->ChangeCurrentDir("M:\\flt-gone");
    ASSERT_TRUE(SetCurrentDirectoryA("M:\\"));
    ASSERT_TRUE(RemoveDirectoryA("M:\\flt-gone"));  // the listed directory goes
    EXPECT_THROW(files->FillFileList(), platform::InOutError);
    EXPECT_EQ(platform::CursorDefault, platform::Screen::Cursor());
}

TEST_F(FileListBoxTest, ALinkedDirectoryListBoxAndThisBoxMoveTogether) {
    auto* dirs = form.Add<TDirectoryListBox>(220, 10, 150, 200);
    dirs->SetFileList(files);
    dirs->ChangeCurrentDir("M:\\flt\\subA");
    EXPECT_EQ("M:\\flt\\subA", files->CurrentDir());
    files->GoToPath("M:\\flt\\*.log");  // through the directory list box, which moves this one
    EXPECT_EQ("M:\\flt", dirs->CurrentDir());
    EXPECT_EQ("M:\\flt", files->CurrentDir());
    EXPECT_EQ((Texts{"B.log"}), Items());
}

// Names that differ only in case, accents, digits and punctuation, fed to
// the real sorted list box and to our order one by one.
std::vector<std::string> NamePieces() {
    std::vector<std::string> pieces = {"a", "A", "b", "B", "e", "E", "1", "2", "10", "-", "_", ".", "'", " ", "z", "Z", "u"};
    if (GetACP() == 932) {  // kana, kanji and full-width letters, one a trail "\"
        for (const char* p : {"\x95\x5C", "\x83\x41", "\x82\xA0", "\x82\x60", "\x82\x81", "\xB1", "\xB2"}) pieces.push_back(p);
    } else {  // accented letters of code page 1252
        for (const char* p : {"\xE9", "\xC9", "\xFC", "\xE8"}) pieces.push_back(p);
    }
    if (getenv("WENDRIK_EXPECT_CP932")) {
        EXPECT_EQ(932u, GetACP());
    }
    return pieces;
}

// A large folder as the file list fills it: indices tracked for the first
// hundred names, then the keys of the rest made on the key thread.
TEST(ListBoxSortOrderTest, ALargeFolderGoesWhereASortedListBoxPutsIt) {
    const std::vector<std::string> pieces = NamePieces();
    std::mt19937 random(4711);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_HASSTRINGS | LBS_SORT, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
    wendrik::ListBoxSortOrder order;
    std::vector<std::string> names;
    for (int i = 0; i < 4 * static_cast<int>(wendrik::SortKeyBatch::ThreadFrom); ++i) {
        std::string name;
        for (int n = 1 + static_cast<int>(random() % 5); n > 0; --n) name += pieces[random() % pieces.size()];
        names.push_back(name);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (order.Add(name) == 100) order.StopTrackingIndices();
    }
    Texts ours;
    for (int i : order.Order()) ours.push_back(names[i]);
    Texts real = ListBoxTexts(list);
    ASSERT_EQ(real.size(), ours.size());
    for (size_t i = 0; i < real.size(); ++i) ASSERT_EQ(real[i], ours[i]) << "item " << i;
    DestroyWindow(list);
}

TEST(ListBoxSortOrderTest, PutsNamesWhereASortedListBoxDoes) {
    const std::vector<std::string> pieces = NamePieces();
    std::mt19937 random(1208);
    for (int round = 0; round < 6; ++round) {
        HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_HASSTRINGS | LBS_SORT, 0, 0, 10, 10, nullptr,
                                    nullptr, nullptr, nullptr);
        wendrik::ListBoxSortOrder order;
        std::vector<std::string> names;
        for (int i = 0; i < 300; ++i) {
            std::string name;
            for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) name += pieces[random() % pieces.size()];
            names.push_back(name);
            int real = static_cast<int>(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
            ASSERT_EQ(real, order.Add(name)) << "round " << round << ", name " << i << " \"" << name << "\"";
        }
        Texts ours;
        for (int i : order.Order()) ours.push_back(names[i]);
        EXPECT_EQ(ListBoxTexts(list), ours) << "round " << round;
        DestroyWindow(list);
    }
}

}  // namespace

namespace {

DWORD keyCaller = 0;
int offThreadKeys = 0;

// Fails on the key thread as running out of memory would, once it is well under way.
std::string KeyThatFailsOffThread(const std::string& text) {
    if (GetCurrentThreadId() != keyCaller && ++offThreadKeys == 300) throw std::bad_alloc();
    return platform::SortKey(text);
}

TEST(SortKeyBatchTest, AKeyThreadThatFailsLeavesTheRestToTheCallersThread) {
    keyCaller = GetCurrentThreadId();
    offThreadKeys = 0;
    wendrik::SortKeyBatch batch(KeyThatFailsOffThread);
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i) texts.push_back("name " + std::to_string(i * 7919 % 5000));
    for (const std::string& text : texts) batch.Add(text);
    std::vector<std::string> keys = batch.Finish();
    EXPECT_GE(offThreadKeys, 300) << "the key thread ran and failed";
    ASSERT_EQ(texts.size(), keys.size());
    for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(platform::SortKey(texts[i]), keys[i]) << i;
}

}  // namespace
