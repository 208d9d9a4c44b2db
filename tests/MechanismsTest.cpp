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
#include "platform/system/InvalidOperation.h"
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

struct Attempt {
    bool refused = false;
    HWND made = nullptr;
};

DWORD WINAPI MakeAFormHere(void* parameter) {
    auto* attempt = static_cast<Attempt*>(parameter);
    try {
        attempt->made = platform::Form::Create<Dialog>("Elsewhere")->Handle();
    } catch (const platform::InvalidOperation&) {
        attempt->refused = true;
    }
    return 0;
}

// A window of ours made on another thread than the one ours live on is
// refused: it would take its messages on a thread nobody pumps for it.
TEST(ThreadCheckTest, AFormMadeOnAnotherThreadIsRefused) {
    auto* mine = platform::Form::Create<Dialog>("Here");
    Attempt attempt;
    platform::KernelHandle other(CreateThread(nullptr, 0, MakeAFormHere, &attempt, 0, nullptr));
    ASSERT_TRUE(other);
    WaitForSingleObject(other.Get(), 30000);
    EXPECT_TRUE(attempt.refused);
    EXPECT_EQ(nullptr, attempt.made);
    mine->Free();
}

}  // namespace
