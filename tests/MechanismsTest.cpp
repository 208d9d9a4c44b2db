// The layer's mechanisms on their own, not through the page: deferred work
// and the count of running handlers, handle owners, anchors and scaling read
// back from the windows, a failing paint, and the modal loop's nesting and
// re-enabling.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "PageHelpers.h"
#include "Pump.h"
#include "WindowScript.h"
#include "platform/system/Application.h"
#include "platform/system/HandlerScope.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/GdiHandle.h"
#include "platform/system/SystemFunctions.h"
#include "platform/controls/Button.h"
#include "platform/window/Form.h"
#include "platform/controls/Panel.h"
#include "platform/window/MessageBoxes.h"

using namespace testing_support;
using namespace desktop;
using platform::Application;
using platform::HandlerScope;

namespace {

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(DeferredWorkTest, WaitsForTheOutermostScopeAndRunsInOrder) {
    std::vector<std::string> done;
    {
        HandlerScope outer;
        {
            HandlerScope inner;
            EXPECT_TRUE(HandlerScope::Nested());
            HandlerScope::Defer([&] {
                done.push_back("first");
                // Deferred from deferred work: it runs in the same round, after.
                HandlerScope::Defer([&] { done.push_back("third"); });
            });
            HandlerScope::Defer([&] { done.push_back("second"); });
        }
        EXPECT_TRUE(done.empty()) << "a scope is still open";
        EXPECT_TRUE(HandlerScope::Running());
        EXPECT_FALSE(HandlerScope::Nested());
    }
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), done);
    EXPECT_FALSE(HandlerScope::Running());
    // With no scope open, work runs at once.
    HandlerScope::Defer([&] { done.push_back("now"); });
    EXPECT_EQ("now", done.back());
}

// A form with a panel anchored to every edge and a button to the right and bottom.
class Anchored : public platform::Form {
public:
    Anchored() : Form(nullptr) {
        SetText("Anchored");
        SetClientSize(200, 100);
        stretched = Make<platform::Panel>();
        stretched->SetBounds(10, 10, 180, 50);
        stretched->GetLayout().SetAnchors(platform::AnchorLeft | platform::AnchorTop | platform::AnchorRight |
                                          platform::AnchorBottom);
        stretched->SetParent(this);
        corner = Make<platform::Button>();
        corner->SetBounds(120, 70, 70, 20);
        corner->GetLayout().SetAnchors(platform::AnchorRight | platform::AnchorBottom);
        corner->SetParent(this);
    }
    platform::Panel* stretched;
    platform::Button* corner;
};

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

TEST(LayoutTest, AnchorsFollowTheClientAreaAndScalingScalesTheTree) {
    auto* form = platform::Form::Create<Anchored>();
    form->Show();
    RECT client;
    GetClientRect(form->Handle(), &client);
    ASSERT_EQ(200, client.right);
    RECT frame;
    GetWindowRect(form->Handle(), &frame);
    const int extraX = frame.right - frame.left - client.right, extraY = frame.bottom - frame.top - client.bottom;
    SetWindowPos(form->Handle(), nullptr, 0, 0, 260 + extraX, 140 + extraY, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    RECT panel = BoundsInParent(form->stretched->Handle()), button = BoundsInParent(form->corner->Handle());
    EXPECT_EQ("10,10,250,100", Text(panel)) << "kept 10 pixels to every edge";
    EXPECT_EQ("180,110,250,130", Text(button)) << "kept its distances to the right and bottom";
    form->ScaleBy(3, 2);
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(390, client.right);
    EXPECT_EQ(210, client.bottom);
    panel = BoundsInParent(form->stretched->Handle());
    button = BoundsInParent(form->corner->Handle());
    EXPECT_EQ("15,15,375,150", Text(panel));
    EXPECT_EQ("270,165,375,195", Text(button));
    // After scaling the scaled places are the design: the anchors keep them.
    GetWindowRect(form->Handle(), &frame);
    SetWindowPos(form->Handle(), nullptr, 0, 0, frame.right - frame.left + 10, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    EXPECT_EQ(385, BoundsInParent(form->stretched->Handle()).right);
    EXPECT_EQ(280, BoundsInParent(form->corner->Handle()).left);
    form->Free();
}

// A control whose painting fails.
class FailingPaint : public platform::Control {
public:
    using Control::Control;
    int paints = 0;
    HDC paintedOn = nullptr;

protected:
    void Paint(platform::Canvas& canvas) override {
        ++paints;
        paintedOn = canvas.Handle();
        throw std::runtime_error("the paint failed");
    }
};

class FailingPaintForm : public platform::Form {
public:
    FailingPaintForm() : Form(nullptr) {
        SetText("FailingPaint");
        SetClientSize(100, 60);
        painted = Make<FailingPaint>();
        painted->SetBounds(10, 10, 80, 40);
        painted->SetParent(this);
    }
    FailingPaint* painted;
};

// A paint that throws is reported once and still ends its paint: the
// paint's device context goes back to the system, and the window is valid.
TEST(PaintTest, AThrowingPaintIsReportedAndEndsItsPaint) {
    std::vector<std::string> reports;
    platform::SetErrorReporter([&](const std::string& text) { reports.push_back(text); });
    auto* form = platform::Form::Create<FailingPaintForm>();
    form->Show();
    HWND window = form->painted->Handle();
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_EQ(1, form->painted->paints);
    RECT left = {};
    EXPECT_FALSE(GetUpdateRect(window, &left, FALSE)) << "nothing may be left to paint";
    PumpPending();
    EXPECT_EQ(1, form->painted->paints) << "no paint follows on its own";
    ASSERT_NE(nullptr, form->painted->paintedOn);
    EXPECT_EQ(0, ReleaseDC(window, form->painted->paintedOn)) << "the paint's DC was still held";
    ASSERT_EQ(1u, reports.size());
    EXPECT_NE(std::string::npos, reports[0].find("the paint failed"));
    form->Free();
    platform::SetErrorReporter(nullptr);
}

// A control whose every hit test fails, and the failure's answer: the
// system's own ("in the client area"), never 0 ("nowhere"), which would
// make the control unclickable; the error is reported after the message.
class FailingHitTest : public platform::Control {
public:
    using Control::Control;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCHITTEST) throw std::runtime_error("the hit test failed");
        return Control::WndProc(message, wParam, lParam);
    }
};

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

TEST(BoundaryTest, AFailedHitTestGetsTheDefaultAnswerAndAReportAfterwards) {
    std::vector<std::string> reports;
    platform::SetErrorReporter([&](const std::string& text) { reports.push_back(text); });
    auto* form = platform::Form::Create<FailingPaintForm>();
    auto* failing = form->Make<FailingHitTest>();
    failing->SetBounds(10, 10, 40, 20);
    failing->SetParent(form);
    form->Show();
    RECT r;
    GetWindowRect(failing->Handle(), &r);
    EXPECT_EQ(HTCLIENT, SendMessageA(failing->Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 5, r.top + 5)));
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ("the hit test failed", reports[0]);
    form->Free();
    platform::SetErrorReporter(nullptr);
}

class Dialog : public platform::Form {
public:
    explicit Dialog(const char* caption) : Form(nullptr) {
        SetText(caption);
        SetClientSize(120, 60);
    }
};

TEST(ModalLoopTest, NestedLoopsDisableTheOthersAndGiveThemBack) {
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
    auto* outer = platform::Form::Create<Dialog>("Outer");
    auto* inner = platform::Form::Create<Dialog>("Inner");
    WindowScript outerScript("Outer");
    WindowScript innerScript("Inner");
    int innerResult = -1;
    outerScript.Do([&](HWND shown) {
        EXPECT_FALSE(IsWindowEnabled(host)) << "the host waits while the outer loop runs";
        innerResult = inner->ShowModal(outer);
        EXPECT_TRUE(IsWindowEnabled(shown)) << "the outer dialog is given back";
        EXPECT_FALSE(IsWindowEnabled(host)) << "still behind the outer dialog";
        outer->SetModalResult(platform::mrOk);
    });
    innerScript.Do([&](HWND) {
        EXPECT_FALSE(IsWindowEnabled(outer->Handle())) << "the inner loop disables the outer dialog";
        EXPECT_FALSE(IsWindowEnabled(host));
        inner->SetModalResult(platform::mrCancel);
    });
    EXPECT_EQ(platform::mrOk, outer->ShowModal());
    EXPECT_TRUE(outerScript.Done());
    EXPECT_TRUE(innerScript.Done());
    EXPECT_EQ(platform::mrCancel, innerResult);
    EXPECT_TRUE(IsWindowEnabled(host)) << "every window is enabled again";
    inner->Free();
    outer->Free();
    DestroyWindow(host);
}

// A script whose window never comes (a caption in the other language) gives
// up at its step's deadline, names the step, and closes the window that the
// test waits in, so the test ends there instead of at ctest's timeout.
TEST(ModalLoopTest, AScriptThatNeverSucceedsFailsByNameAndEndsTheLoop) {
    std::vector<std::string> failures;
    WindowScript::SetFailureHandler([&](const std::string& failure) { failures.push_back(failure); });
    auto* shown = platform::Form::Create<Dialog>("Verzeichnis auswählen");
    WindowScript script("Select Directory", 300);
    script.Do([](HWND) {}).Do([](HWND) {});
    const DWORD start = GetTickCount();
    EXPECT_EQ(platform::mrCancel, shown->ShowModal());
    EXPECT_LT(GetTickCount() - start, 5000u);
    WindowScript::SetFailureHandler([](const std::string& failure) { ADD_FAILURE() << failure; });
    EXPECT_FALSE(script.Done());
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ("step 1 of 2 on the window \"Select Directory\" did not succeed within 300 ms (no such window was "
              "shown)",
              failures[0]);
    EXPECT_EQ(failures[0], script.Failure());
    shown->Free();
}

}  // namespace
