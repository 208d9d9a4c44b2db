// The image button: rest and hot images, cursor, and a vanishing image list.
#include <gtest/gtest.h>

#include <vector>

#include "Pump.h"
#include "platform/system/Application.h"
#include "platform/window/Form.h"
#include "template/HotSpeedButton.h"

using namespace desktop;
using platform::Bitmap;
using platform::ImageList;
using wendrik::THotSpeedButton;

namespace {

std::vector<DWORD> PixelsOf(const Bitmap& bitmap) {
    std::vector<DWORD> pixels(bitmap.Width() * bitmap.Height());
    if (bitmap.Empty()) return pixels;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), bitmap.Width(), bitmap.Height(), 1, 32, BI_RGB};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap.Handle(), 0, bitmap.Height(), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixels;
}

class HotSpeedButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new platform::Form(nullptr);
        list = form->Make<ImageList>(32, 32);
        Bitmap strip;
        ASSERT_TRUE(strip.LoadFromResourceName(platform::Application::Instance(), "BUTTONIMAGES"));
        list->AddMasked(strip, ImageList::KeyColor);
        button = form->Make<THotSpeedButton>();
        button->SetParent(form);
        form->Show();
        PumpPending();
    }
    void TearDown() override { delete form; }
    std::vector<DWORD> Image(int index) {
        Bitmap b;
        list->GetBitmap(index, b);
        return PixelsOf(b);
    }
    std::vector<DWORD> Shown() { return PixelsOf(button->Glyph()); }

    platform::Form* form = nullptr;
    ImageList* list = nullptr;
    THotSpeedButton* button = nullptr;
};

TEST_F(HotSpeedButtonTest, StartsFlatAt36By36WithoutPicture) {
    EXPECT_TRUE(button->Flat());
    RECT r;
    GetWindowRect(button->Handle(), &r);
    EXPECT_EQ(36, r.right - r.left);
    EXPECT_EQ(36, r.bottom - r.top);
    EXPECT_TRUE(button->Glyph().Empty());
    EXPECT_EQ(0, button->ImageIndex());
    EXPECT_EQ(0, button->HotImageIndex());
    MouseEnter(button->Handle());
    EXPECT_TRUE(button->Glyph().Empty());  // no list: no picture under the mouse either
    MouseLeave(button->Handle());
}

TEST_F(HotSpeedButtonTest, ShowsTheHotImageUnderTheMouseWithAHand) {
    ASSERT_EQ(12, list->Count());
    button->SetImageList(list);
    button->SetImageIndex(4);
    button->SetHotImageIndex(5);
    EXPECT_EQ(Image(4), Shown());
    EXPECT_NE(Image(4), Image(5));

    button->SetCursor(platform::CursorHourGlass);
    MouseEnter(button->Handle());
    EXPECT_EQ(Image(5), Shown());
    EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), CursorOver(button->Handle()));
    MouseLeave(button->Handle());
    EXPECT_EQ(Image(4), Shown());
    EXPECT_EQ(platform::CursorDefault, button->Cursor());
    EXPECT_NE(LoadCursorA(nullptr, IDC_HAND), CursorOver(button->Handle()));
    MouseEnter(button->Handle());
    EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), CursorOver(button->Handle()));
}

TEST_F(HotSpeedButtonTest, IndexChangesWhileHot) {
    button->SetImageList(list);
    button->SetImageIndex(0);
    button->SetHotImageIndex(1);
    MouseEnter(button->Handle());
    EXPECT_EQ(Image(1), Shown());
    button->SetImageIndex(2);  // the rest image shows at once
    EXPECT_EQ(Image(2), Shown());
    button->SetHotImageIndex(9);  // nothing visible until the next entry
    EXPECT_EQ(Image(2), Shown());
    MouseLeave(button->Handle());
    MouseEnter(button->Handle());
    EXPECT_EQ(Image(9), Shown());
}

TEST_F(HotSpeedButtonTest, FreeingTheImageListClearsThePicture) {
    THotSpeedButton* second = form->Make<THotSpeedButton>();
    second->SetParent(form);
    for (THotSpeedButton* b : {button, second}) {
        b->SetImageList(list);
        b->SetImageIndex(6);
    }
    ASSERT_FALSE(button->Glyph().Empty());
    delete list;
    for (THotSpeedButton* b : {button, second}) {
        EXPECT_EQ(nullptr, b->GetImageList());
        EXPECT_TRUE(b->Glyph().Empty());
        MouseEnter(b->Handle());
        EXPECT_TRUE(b->Glyph().Empty());
        MouseLeave(b->Handle());
    }
}

TEST_F(HotSpeedButtonTest, TheImageIsDrawnOnScreenWithoutItsKeyColour) {
    button->SetImageList(list);
    button->SetImageIndex(0);
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(button->Handle());
    COLORREF corner = GetPixel(dc, 2, 2);    // outside the rounded tile
    COLORREF middle = GetPixel(dc, 10, 28);  // on the tile
    ReleaseDC(button->Handle(), dc);
    EXPECT_NE(ImageList::KeyColor, corner);
    EXPECT_EQ(RGB(120, 115, 200), middle);
}

}  // namespace
