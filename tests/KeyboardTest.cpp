// Keyboard on a hosted page: the host's own loop (GetMessage, Translate,
// Dispatch) knows nothing of the page, yet Tab, Shift+Tab, space and F12 work.
#include <gtest/gtest.h>

#include "BroadcastCatcher.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/KeyboardHook.h"

using namespace testing_support;
using namespace desktop;

namespace {

// Posts a key to whatever has the focus and lets a plain host loop handle it.
void Press(UINT key) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    PumpPending();
}

int hostKeys = 0;
LRESULT CALLBACK HostWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_KEYDOWN) ++hostKeys;
    return DefWindowProcA(w, m, wp, lp);
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModuleState();
        bs.Remove();
        page = CreatePage();
        ASSERT_NE(nullptr, page);
        SetForegroundWindow(page->Handle());
        SetFocus(page->T288_Edit->Handle());
    }
    void TearDown() override {
        SetShift(false);
        ModulFree();
    }
    RegistryValue bs{kHostKey, "BSControl"};
    FakeSystem fake;
    wendrik::TFormWendrik* page = nullptr;
};

TEST_F(KeyboardTest, TabAndShiftTabWalkTheTabOrder) {
    ASSERT_EQ(page->T288_Edit->Handle(), GetFocus());
    Press(VK_TAB);
    EXPECT_EQ(page->CheckBox1->Handle(), GetFocus());
    Press(VK_TAB);
    EXPECT_EQ(page->T288_Edit->Handle(), GetFocus());
    SetShift(true);
    Press(VK_TAB);
    EXPECT_EQ(page->CheckBox1->Handle(), GetFocus());
    Press(VK_TAB);
    EXPECT_EQ(page->T288_Edit->Handle(), GetFocus());
}

TEST_F(KeyboardTest, SpaceTogglesTheCheckBox) {
    Press(VK_TAB);
    ASSERT_EQ(page->CheckBox1->Handle(), GetFocus());
    Press(VK_SPACE);
    EXPECT_TRUE(page->CheckBox1->Checked());
    EXPECT_EQ(1, ModulChanged());
    EXPECT_TRUE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
    Press(VK_SPACE);
    EXPECT_FALSE(page->CheckBox1->Checked());
    EXPECT_FALSE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
}

TEST_F(KeyboardTest, TypingReachesTheEdit) {
    SetWindowTextA(page->T288_Edit->Handle(), "");
    for (char c : std::string("AB")) Press(static_cast<UINT>(c));
    EXPECT_EQ("ab", WindowText(page->T288_Edit->Handle()));
    EXPECT_TRUE(IsWindowEnabled(page->CheckBox1->Handle()));
}

TEST_F(KeyboardTest, F12BroadcastsOnceFromAnywhereOnThePage) {
    BroadcastCatcher catcher(wendrik::HostMessage);
    Press(VK_F12);
    SetFocus(page->CheckBox1->Handle());
    Press(VK_F12);
    ASSERT_EQ(2u, catcher.Received().size());
    for (auto& r : catcher.Received()) EXPECT_EQ(std::make_pair(WPARAM(200), LPARAM(0)), r);
}

TEST_F(KeyboardTest, TheHostsOwnWindowsGetTheirKeysUntouched) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TestHostWindow";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 200, nullptr, nullptr, wc.hInstance, nullptr);
    BroadcastCatcher catcher(wendrik::HostMessage);
    SetForegroundWindow(host);
    SetFocus(host);
    hostKeys = 0;
    Press(VK_TAB);
    Press(VK_F12);
    EXPECT_EQ(2, hostKeys);
    EXPECT_TRUE(catcher.Received().empty());  // F12 is the page's, not the host's
    DestroyWindow(host);
}

TEST_F(KeyboardTest, TheHookLivesAsLongAsAPage) {
    EXPECT_TRUE(platform::KeyboardHook::Installed());
    ModulFree();
    EXPECT_FALSE(platform::KeyboardHook::Installed());
    page = CreatePage();
    EXPECT_TRUE(platform::KeyboardHook::Installed());
}

}  // namespace
