// The owner-drawn bases: a measure that arrives while the window is being
// made, drawing reflected to the object by control id, a window made anew
// under the same object, and links that survive either end going first.
#include <gtest/gtest.h>

#include <memory>

#include "ListHelpers.h"
#include "PixelCapture.h"
#include "Pump.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/PathLabel.h"
#include "platform/drawing/Canvas.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListBox.h"

using namespace testing_support;
using namespace desktop;

namespace {

// Paints item i in a colour of its own.
class TinyList : public platform::ListBox {
public:
    using ListBox::ListBox;
    static COLORREF ColorOf(int index) { return RGB(40 * index, 100, 200); }

protected:
    void DrawItem(int index, RECT rect, UINT, platform::Canvas& canvas) override {
        canvas.SetBrushColor(ColorOf(index));
        canvas.FillRect(rect);
    }
};

class TinyCombo : public platform::ComboBox {
public:
    using ComboBox::ComboBox;
    void MakeWindowAnew() { Recreate(); }
    int clicks = 0;

protected:
    void Click() override {
        ++clicks;
        ComboBox::Click();
    }
};

TEST(OwnerDrawTest, AComboBoxIsMeasuredWhileItsWindowIsMade) {
    ControlForm form;
    auto* combo = form.Get()->Make<TinyCombo>();
    combo->SetItemHeight(23);
    combo->AddItem("one");
    combo->SetBounds(10, 10, 120, 20);
    combo->SetParent(form.Get());  // the window is made here, measured by the parent's reflection
    ASSERT_NE(nullptr, combo->Handle());
    EXPECT_NE(0, combo->ControlId());
    EXPECT_EQ(combo->ControlId(), GetDlgCtrlID(combo->Handle()));
    EXPECT_EQ(23, SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
}

TEST(OwnerDrawTest, ItemsAreDrawnByTheirObject) {
    ControlForm form;
    auto* list = form.Add<TinyList>(10, 10, 100, 100);
    list->SetItemHeight(20);
    for (const char* text : {"a", "b", "c"}) list->AddItem(text);
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pixels shown = CaptureClient(list->Handle());
    for (int i = 0; i < 3; ++i) {
        COLORREF c = TinyList::ColorOf(i);
        EXPECT_EQ((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c), shown.At(50, i * 20 + 10)) << i;
    }
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), ListBoxTexts(list->Handle()));  // the window has them
}

TEST(OwnerDrawTest, AWindowMadeAnewKeepsTheObjectItsItemsAndItsPlace) {
    ControlForm form;
    auto* before = form.Add<TinyList>(10, 10, 50, 50);
    auto* combo = form.Add<TinyCombo>(70, 10, 120, 20);
    auto* after = form.Add<TinyList>(200, 10, 50, 50);
    combo->AddItem("one");
    combo->AddItem("two");
    SendMessageA(combo->Handle(), CB_SETCURSEL, 1, 0);
    SendMessageA(form.Get()->Handle(), WM_COMMAND, MAKEWPARAM(combo->ControlId(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle()));
    ASSERT_EQ(1, combo->clicks);
    HWND old = combo->Handle();
    combo->MakeWindowAnew();
    EXPECT_FALSE(IsWindow(old));
    ASSERT_TRUE(IsWindow(combo->Handle()));
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), ComboBoxTexts(combo->Handle()));
    EXPECT_EQ(1, ComboBoxSelection(combo->Handle()));
    EXPECT_EQ(before->Handle(), GetWindow(combo->Handle(), GW_HWNDPREV));
    EXPECT_EQ(after->Handle(), GetWindow(combo->Handle(), GW_HWNDNEXT));
    SendMessageA(form.Get()->Handle(), WM_COMMAND, MAKEWPARAM(combo->ControlId(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle()));
    EXPECT_EQ(2, combo->clicks);  // the new window reaches the same object
}

// Which of the linked controls is destroyed first.
enum class First { DriveBox, DirList, FileList, Label };

class LinkTest : public ::testing::TestWithParam<First> {};

TEST_P(LinkTest, LinksGoWhicheverEndGoesFirst) {
    auto form = std::make_unique<platform::Form>(nullptr);
    auto* drives = form->Make<wendrik::TDriveComboBox>();
    auto* dirs = form->Make<wendrik::TDirectoryListBox>();
    auto* files = form->Make<wendrik::TFileListBox>();
    auto* label = form->Make<wendrik::TPathLabel>();
    drives->SetDirList(dirs);
    dirs->SetFileList(files);
    dirs->SetDirLabel(label);
    ASSERT_EQ(drives, dirs->LinkedDriveBox());
    ASSERT_EQ(dirs, files->LinkedDirList());
    switch (GetParam()) {
    case First::DriveBox:
        delete drives;
        EXPECT_EQ(nullptr, dirs->LinkedDriveBox());
        break;
    case First::DirList:
        delete dirs;
        EXPECT_EQ(nullptr, drives->DirList());
        EXPECT_EQ(nullptr, files->LinkedDirList());
        break;
    case First::FileList:
        delete files;
        EXPECT_EQ(nullptr, dirs->FileList());
        EXPECT_EQ(drives, dirs->LinkedDriveBox());
        break;
    case First::Label:
        delete label;
        EXPECT_EQ(nullptr, dirs->DirLabel());
        break;
    }
    form.reset();  // the rest go in the owner's order without touching what went
}

INSTANTIATE_TEST_SUITE_P(Orders, LinkTest,
                         ::testing::Values(First::DriveBox, First::DirList, First::FileList, First::Label));

}  // namespace
