// At a screen resolution other than 96 dpi the page says "Big" once and
// keeps the layout it was designed with: every control where the design
// puts it, the right- and bottom-anchored ones following the client size the
// host gives, exactly as at 96 dpi. The resolution is read when a process
// starts, so the test runs itself again with LogPixels set.
#include <gtest/gtest.h>

#include <string>

#include "BoxAnswerer.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/MessageBoxes.h"
#include "platform/drawing/Screen.h"

using namespace testing_support;
using namespace desktop;

namespace {

class DpiTest : public ::testing::TestWithParam<int> {};

TEST_P(DpiTest, RunsThePageAtThisResolution) {
    if (DpiChild()) GTEST_SKIP() << "the child runs the checks";
    EXPECT_EQ(0u, RunSelfAtDpi(GetParam(), "DpiChild.*")) << "the checks at " << GetParam() << " dpi failed";
}

// At 240 dpi the page scaled on loading is taller than the test screen (1024 pixels).
INSTANTIATE_TEST_SUITE_P(Resolutions, DpiTest, ::testing::Values(120, 144, 240));

struct Expected {
    const char* name;
    HWND window;
    RECT bounds;
};

// Where the design (292 x 426 client pixels) puts each anchored control when
// the host's size gives the page `client`.
void ExpectTheDesignedPlaces(wendrik::TFormWendrik* page) {
    RECT client;
    GetClientRect(page->Handle(), &client);
    const int w = client.right, h = client.bottom;
    const int buttonTop = h - (426 - 381);
    const Expected expected[] = {
        {"HotSpeedButtonOK", page->HotSpeedButtonOK->Handle(), {16, buttonTop, 52, buttonTop + 36}},
        {"HotSpeedButtonUndo", page->HotSpeedButtonUndo->Handle(), {56, buttonTop, 92, buttonTop + 36}},
        {"HotSpeedButtonInfo", page->HotSpeedButtonInfo->Handle(), {w - 92, buttonTop, w - 56, buttonTop + 36}},
        {"HotSpeedButtonRegistry", page->HotSpeedButtonRegistry->Handle(), {w - 52, buttonTop, w - 16, buttonTop + 36}},
        {"MemoHelpD", page->MemoHelpD->Handle(), {16, 32, w - 17, 137}},
        {"MemoHelpUS", page->MemoHelpUS->Handle(), {16, 32, w - 17, 137}},
        {"StaticTextTitle", page->StaticTextTitle->Handle(), {16, 8, w - 19, 41}},
        {"T288_Edit", page->T288_Edit->Handle(), {22, 179, 247, 198}},
        {"SpeedButton6", page->SpeedButton6->Handle(), {250, 177, 273, 199}},
        {"CheckBox1", page->CheckBox1->Handle(), {24, 216, 270, 233}},
        // The export's line and bar, in the free space under the check box.
        {"T288_Label_Status", page->T288_Label_Status->Handle(), {22, 246, 275, 272}},
        {"T288_Progress", page->T288_Progress->Handle(), {22, 276, 275, 288}},
        {"PanelBottomBorder", page->PanelBottomBorder->Handle(), {0, h - 5, w, h}},
        {"PanelRightBorder", page->PanelRightBorder->Handle(), {w - 5, 5, w, h - 5}},
    };
    for (const Expected& e : expected) {
        RECT r = BoundsInParent(e.window);
        EXPECT_EQ(e.bounds.left, r.left) << e.name;
        EXPECT_EQ(e.bounds.top, r.top) << e.name;
        EXPECT_EQ(e.bounds.right, r.right) << e.name;
        EXPECT_EQ(e.bounds.bottom, r.bottom) << e.name;
    }
    EXPECT_EQ(-11, FontOf(page->MemoHelpD->Handle()).lfHeight);
    EXPECT_EQ(-12, FontOf(page->StaticTextTitle->Handle()).lfHeight);
}

TEST(DpiChild, SaysBigOnceAndKeepsTheDesignedLayout) {
    if (!DpiChild()) GTEST_SKIP() << "runs only at another resolution";
    ASSERT_EQ(DpiChild(), platform::Screen::PixelsPerInch());
    ResetModuleState();
    FakeSystem fake;
    RegistryValue bs(kHostKey, "BSControl");
    bs.Remove();
    BoxAnswerer boxes;
    wendrik::TFormWendrik* page = CreatePage();
    ASSERT_NE(nullptr, page);
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Big", boxes.Texts()[0]);
    ExpectTheDesignedPlaces(page);
    // A size of the host's own: the anchored controls follow it as at 96 dpi.
    SendMessageA(page->Handle(), wendrik::HostMessage, 12, 360);
    SendMessageA(page->Handle(), wendrik::HostMessage, 13, 520);
    ExpectTheDesignedPlaces(page);
    ModulFree();
    CreatePage();
    EXPECT_EQ(2u, boxes.Texts().size());  // once per page
    ModulFree();
}

TEST(DpiChild, ACreationThatStopsEarlyStillComesBackToTheDesign) {
    if (!DpiChild()) GTEST_SKIP() << "runs only at another resolution";
    ResetModuleState();
    FakeSystem fake;
    RegistryValue bs(kHostKey, "BSControl");
    bs.SetString("not a number");
    std::vector<std::string> reports;
    platform::SetErrorReporter([&](const std::string& text) { reports.push_back(text); });
    BoxAnswerer boxes;
    wendrik::TFormWendrik* page = CreatePage();
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(1u, reports.size());
    ExpectTheDesignedPlaces(page);
    platform::SetErrorReporter(nullptr);
    ModulFree();
}

}  // namespace
