// The host's commands to the page, the window switch and the range checks.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "BoxAnswerer.h"
#include "BroadcastCatcher.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/Control.h"
#include "platform/window/MessageBoxes.h"
#include "platform/system/Error.h"
#include "platform/drawing/GdiHandle.h"

using namespace testing_support;
using namespace desktop;
using wendrik::TFormWendrik;

namespace {

RECT Outer(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class HostCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModuleState();
        bs.Remove();
        platform::SetErrorReporter([this](const std::string& text) { reports.push_back(text); });
        windowsBefore = ThreadWindowCount();
        page = CreatePage();
        ASSERT_NE(nullptr, page);
        window = page->Handle();
    }
    void TearDown() override {
        ModulFree();
        platform::SetErrorReporter(nullptr);
    }
    // By SendMessageA to the page, or as a broadcast to every top-level window.
    void Command(WPARAM command, LPARAM argument, bool broadcast = false) {
        SendMessageA(broadcast ? HWND_BROADCAST : window, wendrik::HostMessage, command, argument);
        PumpPending();
    }

    RegistryValue bs{kHostKey, "BSControl"};
    FakeSystem fake;
    std::vector<std::string> reports;
    int windowsBefore = 0;
    TFormWendrik* page = nullptr;
    HWND window = nullptr;
};

TEST_F(HostCommandsTest, MoveAndSizeTakeTheArgument) {
    for (bool broadcast : {false, true}) {
        Command(10, 5, broadcast);
        EXPECT_EQ(5, Outer(window).left);
        Command(10, 0, broadcast);
        EXPECT_EQ(1, Outer(window).left);  // 0 is taken as 1
        Command(11, 0, broadcast);
        EXPECT_EQ(1, Outer(window).top);
        Command(11, 77, broadcast);
        EXPECT_EQ(77, Outer(window).top);
        Command(12, 350, broadcast);
        EXPECT_EQ(350, Outer(window).right - Outer(window).left);
        Command(13, 480, broadcast);
        EXPECT_EQ(480, Outer(window).bottom - Outer(window).top);
        Command(12, 0, broadcast);
        Command(13, 0, broadcast);
        RECT r = Outer(window);
        EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));  // as small as Windows allows
        EXPECT_LE(r.bottom - r.top, GetSystemMetrics(SM_CYMINTRACK));
        EXPECT_EQ(1, Outer(window).left);  // sizing keeps the place
        Command(12, 298, broadcast);
        Command(13, 455, broadcast);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(HostCommandsTest, TheFrameAndButtonsFollowANewSize) {
    Command(12, 400);
    Command(13, 600);
    RECT client;
    GetClientRect(window, &client);
    RECT right = BoundsInParent(page->PanelRightBorder->Handle());
    EXPECT_EQ(client.right, right.right);
    RECT bottom = BoundsInParent(page->PanelBottomBorder->Handle());
    EXPECT_EQ(client.bottom, bottom.bottom);
    EXPECT_EQ(client.right, bottom.right);
    RECT info = BoundsInParent(page->HotSpeedButtonInfo->Handle());
    EXPECT_EQ(client.right - 292 + 200, info.left);  // anchored right and bottom
    EXPECT_EQ(client.bottom - 426 + 381, info.top);
    RECT ok = BoundsInParent(page->HotSpeedButtonOK->Handle());
    EXPECT_EQ(16, ok.left);
    RECT memo = BoundsInParent(page->MemoHelpD->Handle());
    EXPECT_EQ(client.right - 292 + 259, memo.right - memo.left);  // stretched to the right
}

TEST_F(HostCommandsTest, Command200ShowsThePageInFront) {
    ShowWindow(window, SW_HIDE);
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                 400, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    PumpPending();
    ASSERT_FALSE(IsWindowVisible(window));
    Command(200, 0, true);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(window, GetForegroundWindow());
    bool pageAboveOther = false;
    for (HWND w = GetWindow(other, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == window) pageAboveOther = true;
    EXPECT_TRUE(pageAboveOther);
    DestroyWindow(other);
}

TEST_F(HostCommandsTest, NegativeArgumentsAreRefusedForEveryCommand) {
    RECT before = Outer(window);
    int expectedReports = 0;
    // Where the arguments are 64 bits wide, values whose low 32 bits would
    // be a valid command or argument are outside the range just as well.
    std::vector<LPARAM> arguments = {LPARAM(-1), LPARAM(-5), LPARAM(0x80000000)};
    std::vector<WPARAM> commands = {WPARAM(-1), WPARAM(0x80000000), WPARAM(-200)};
    if constexpr (sizeof(LPARAM) == 8) {
        arguments.push_back(static_cast<LPARAM>(0x100000064LL));
        arguments.push_back(static_cast<LPARAM>(0xFFFFFFFF00000064ULL));
        for (WPARAM low : {0u, 10u, 200u}) commands.push_back(static_cast<WPARAM>(0x100000000ULL) | low);
    }
    for (WPARAM command : {0u, 10u, 11u, 12u, 13u, 100u, 200u, 9999u}) {
        for (LPARAM argument : arguments) {
            Command(command, argument);
            ++expectedReports;
        }
    }
    for (WPARAM command : commands) {
        Command(command, 0);
        ++expectedReports;
    }
    ASSERT_EQ(static_cast<size_t>(expectedReports), reports.size());
    for (const auto& r : reports) EXPECT_EQ("Range check error", r);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(SameRect(before, Outer(window)));
    EXPECT_EQ(page, wendrik::ModulePage);
}

TEST_F(HostCommandsTest, OtherCodesChangeNothing) {
    RECT before = Outer(window);
    for (WPARAM command : {1u, 14u, 100u, 101u, 9999u, 0x7FFFFFFFu})
        for (bool broadcast : {false, true}) Command(command, 3, broadcast);
    EXPECT_TRUE(SameRect(before, Outer(window)));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(reports.empty());
}

TEST_F(HostCommandsTest, Command0HidesAndDestroysThePage) {
    PostMessageA(window, WM_USER + 5, 0, 0);  // already queued when the page goes
    PostMessageA(window, wendrik::HostMessage, 0, 0);
    PostMessageA(window, wendrik::HostMessage, 10, 20);
    PumpPending();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_EQ(windowsBefore, ThreadWindowCount());
    EXPECT_EQ(1, ModulFree());
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_TRUE(fake.Starts().empty());
    page = CreatePage();  // a fresh page afterwards
    ASSERT_NE(nullptr, page);
    EXPECT_NE(window, page->Handle());
}

TEST_F(HostCommandsTest, Command0ByBroadcast) {
    Command(0, 0, true);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(windowsBefore, ThreadWindowCount());
    EXPECT_EQ(1, ModulFree());
}

// A page whose close procedure fails.
class FailingClosePage : public wendrik::TfrmTippTemplate {
public:
    void Close() override { throw platform::Error("no"); }
};

TEST_F(HostCommandsTest, AFailingCloseShowsEAndStillDestroys) {
    auto* failing = platform::Form::Create<FailingClosePage>();
    HWND failingWindow = failing->Handle();
    BoxAnswerer boxes;
    SendMessageA(failingWindow, wendrik::HostMessage, 0, 0);
    PumpPending();
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("e", boxes.Texts()[0]);
    EXPECT_FALSE(IsWindow(failingWindow));
}

TEST_F(HostCommandsTest, TheMenuItemAndF12AskEveryWindowToSwitch) {
    BroadcastCatcher catcher(wendrik::HostMessage);
    page->Fensterwechseln1->Click();
    ASSERT_EQ(1u, catcher.Received().size());
    EXPECT_EQ(std::make_pair(WPARAM(200), LPARAM(0)), catcher.Received()[0]);

    catcher.Clear();
    ShowWindow(window, SW_HIDE);
    SetFocus(page->T288_Edit->Handle());
    PostMessageA(page->T288_Edit->Handle(), WM_KEYDOWN, VK_F12, 0);
    PostMessageA(page->T288_Edit->Handle(), WM_KEYUP, VK_F12, 0xC0000000);
    PumpPending();
    ASSERT_EQ(1u, catcher.Received().size());
    EXPECT_EQ(std::make_pair(WPARAM(200), LPARAM(0)), catcher.Received()[0]);
    EXPECT_TRUE(IsWindowVisible(window));  // the page's own broadcast brought it back
}

TEST_F(HostCommandsTest, F12WorksOnADisabledPage) {
    ModulFree();
    page = CreatePage(0, 0, 0);
    ASSERT_EQ(0, wendrik::PageEnabled);
    BroadcastCatcher catcher(wendrik::HostMessage);
    SetFocus(page->MemoHelpD->Handle());
    PostMessageA(page->MemoHelpD->Handle(), WM_KEYDOWN, VK_F12, 0);
    PumpPending();
    ASSERT_EQ(1u, catcher.Received().size());
    EXPECT_EQ(WPARAM(200), catcher.Received()[0].first);
}

// Finds the open popup menu, records its first item and picks it.
std::string menuText;
void CALLBACK PickMenuItem(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, id);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    char text[128] = {};
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    menuText = text;
    PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(HostCommandsTest, TheContextMenuOffersTheSwitchWithItsShortcut) {
    for (int language : {0, 1}) {
        page->Sprache(language);
        BroadcastCatcher catcher(wendrik::HostMessage);
        menuText.clear();
        SetTimer(nullptr, 0, 20, PickMenuItem);
        RECT r;
        GetWindowRect(page->T288_Edit->Handle(), &r);
        // A right click on the edit asks for the page's menu, not the edit's own.
        SendMessageA(page->T288_Edit->Handle(), WM_CONTEXTMENU,
                     reinterpret_cast<WPARAM>(page->T288_Edit->Handle()), MAKELPARAM(r.left + 5, r.top + 5));
        EXPECT_EQ(language == 1 ? "Change Window\tF12" : "Fenster wechseln\tF12", menuText);
        ASSERT_EQ(1u, catcher.Received().size());
        EXPECT_EQ(WPARAM(200), catcher.Received()[0].first);
    }
}

TEST_F(HostCommandsTest, TheMenuKeyOpensThePagesMenuToo) {
    BroadcastCatcher catcher(wendrik::HostMessage);
    menuText.clear();
    SetForegroundWindow(window);
    SetFocus(page->MemoHelpD->Handle());
    SetTimer(nullptr, 0, 20, PickMenuItem);
    PostMessageA(page->MemoHelpD->Handle(), WM_KEYDOWN, VK_APPS, 1);
    PostMessageA(page->MemoHelpD->Handle(), WM_KEYUP, VK_APPS, 0xC0000001);
    PumpUntil([&] { return !catcher.Received().empty(); }, 5000);
    EXPECT_EQ("Fenster wechseln\tF12", menuText);
    ASSERT_EQ(1u, catcher.Received().size());
    EXPECT_EQ(WPARAM(200), catcher.Received()[0].first);
}

TEST_F(HostCommandsTest, AFloodOfRandomCommandsLeavesThePageWorking) {
    std::mt19937 random(20261208);
    long gdi = platform::GdiHandle::Live();
    long windows = platform::Control::LiveWindows();
    RECT before = Outer(window);
    size_t refused = 0;
    for (int i = 0; i < 100000; ++i) {
        auto command = static_cast<std::int32_t>(random());
        auto argument = static_cast<std::int32_t>(random());
        bool acts = command == 0 || (command >= 10 && command <= 13) || command == 200;
        if (acts) continue;  // the commands that act are covered above; these only must not
        if (command < 0 || argument < 0) ++refused;
        SendMessageA(window, wendrik::HostMessage, static_cast<WPARAM>(command),
                     static_cast<LPARAM>(argument));
    }
    EXPECT_EQ(refused, reports.size());
    EXPECT_GT(refused, 50000u);
    EXPECT_TRUE(SameRect(before, Outer(window)));
    Command(10, 33);
    EXPECT_EQ(33, Outer(window).left);  // still answering
    EXPECT_EQ(gdi, platform::GdiHandle::Live());
    EXPECT_EQ(windows, platform::Control::LiveWindows());
}

}  // namespace
