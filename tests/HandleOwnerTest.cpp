// The layer's owners and drawing on their own: handle owners that hand a
// handle on, keep it when set to it again and free it once, and a glyph
// that looks the same where TransparentBlt is missing.
#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/GdiHandle.h"
#include "platform/system/Application.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/UniqueHandle.h"

using platform::Application;

namespace {

// Moving an owner hands the object on: it is deleted exactly once, by the
// last owner, and the count of live objects stays true through the moves.
TEST(HandleOwnerTest, MovesHandTheObjectOnAndFreeItOnce) {
    long before = platform::GdiHandle::Live();
    HGDIOBJ first = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ second = CreateSolidBrush(RGB(4, 5, 6));
    {
        platform::GdiHandle a(first), b(second);
        EXPECT_EQ(before + 2, platform::GdiHandle::Live());
        b = std::move(a);  // `second` goes now, `first` lives on in b
        EXPECT_EQ(0u, GetObjectType(second));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(first));
        EXPECT_EQ(before + 1, platform::GdiHandle::Live());
        platform::GdiHandle c(std::move(b));
        EXPECT_EQ(first, c.Get());
        EXPECT_EQ(before + 1, platform::GdiHandle::Live());
    }
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(before, platform::GdiHandle::Live());
}

// Set again to the handle it holds, an owner keeps it: never freed under
// it. Kinds of GDI object, each an owner of its own type, count as one.
TEST(HandleOwnerTest, ResetToTheHeldHandleKeepsItAndKindsShareOneCount) {
    platform::KernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    const long kernel = platform::KernelHandle::Live();
    event.Reset(event.Get());
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(event.Get(), &flags)) << "the event was closed under its owner";
    EXPECT_EQ(kernel, platform::KernelHandle::Live());
    const long gdi = platform::GdiHandle::Live();
    {
        platform::BrushHandle brush(CreateSolidBrush(RGB(1, 2, 3)));
        platform::BitmapHandle bitmap(CreateBitmap(4, 4, 1, 1, nullptr));
        EXPECT_EQ(gdi + 2, platform::GdiHandle::Live());
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(brush.Get()));
    }
    EXPECT_EQ(gdi, platform::GdiHandle::Live());
}

// A glyph drawn at another size with its transparent colour left out
// (drawn so at resolutions above 96 dpi): where msimg32's TransparentBlt is
// missing (Windows 95 and NT 4.0) the mask road gives the very same pixels.
std::vector<COLORREF> ScaledGlyph(const platform::Bitmap& glyph) {
    const int width = glyph.Width() * 2, height = glyph.Height() * 2;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, width + 4, height + 4);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    {
        platform::Canvas canvas(dc);
        canvas.SetBrushColor(RGB(10, 200, 30));
        canvas.FillRect(RECT{0, 0, width + 4, height + 4});
        canvas.BrushCopy(RECT{2, 2, 2 + width, 2 + height}, glyph, RECT{0, 0, glyph.Width(), glyph.Height()},
                         glyph.BottomLeft());
    }
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height + 4; ++y)
        for (int x = 0; x < width + 4; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return pixels;
}

BOOL WINAPI NoTransparentBlt(HDC, int, int, int, int, HDC, int, int, int, int, UINT) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return FALSE;
}

TEST(DrawingTest, AScaledGlyphLooksTheSameWithoutTransparentBlt) {
    platform::Bitmap glyph;
    ASSERT_TRUE(glyph.LoadFromResourceName(Application::Instance(), "HARD"));
    const std::vector<COLORREF> withIt = ScaledGlyph(glyph);
    auto& table = platform::SystemFunctions::Current();
    const auto saved = table.TransparentBlt;
    table.TransparentBlt = NoTransparentBlt;
    const std::vector<COLORREF> without = ScaledGlyph(glyph);
    table.TransparentBlt = saved;
    ASSERT_EQ(withIt.size(), without.size());
    int differ = 0, shown = 0;
    for (size_t i = 0; i < withIt.size(); ++i) {
        differ += withIt[i] != without[i];
        shown += withIt[i] != RGB(10, 200, 30);
    }
    EXPECT_EQ(0, differ);
    EXPECT_GT(shown, 50);  // the glyph is there, not only the background
    EXPECT_EQ(RGB(10, 200, 30), without[(2 + glyph.Height() * 2 - 1) * (glyph.Width() * 2 + 4) + 2]);  // its key
}

}  // namespace
