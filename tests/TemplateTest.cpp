// The page template: layout, the Windows-version gate, help texts,
// language and the apply and restore-defaults commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "BoxAnswerer.h"
#include "BroadcastCatcher.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "PixelCapture.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/Control.h"
#include "platform/window/MessageBoxes.h"

using namespace testing_support;
using namespace desktop;
using wendrik::TFormWendrik;

namespace {

class TemplateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModuleState();
        bsControl.Remove();
    }
    void TearDown() override {
        ModulFree();
        platform::SetErrorReporter(nullptr);
    }
    // A page as constructed, before the host places and shows it.
    TFormWendrik* Construct() {
        page = platform::Form::Create<TFormWendrik>();
        wendrik::ModulePage = page;
        return page;
    }
    RegistryValue bsControl{kHostKey, "BSControl"};
    FakeSystem fake;
    TFormWendrik* page = nullptr;
};

// A COLORREF as the pixel capture gives it: 0xRRGGBB.
DWORD ColorOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

struct Placement {
    const char* name;
    RECT bounds;
};

TEST_F(TemplateTest, ControlsSitWhereTheDescriptionPutsThem) {
    wendrik::OsCode = kXpCode, wendrik::ValidOsMask = kXpMask;
    Construct();
    RECT client;
    GetClientRect(page->Handle(), &client);
    EXPECT_EQ(292, client.right);
    EXPECT_EQ(426, client.bottom);
    const Placement expected[] = {
        {"PanelRightBorder", {287, 5, 292, 421}}, {"PanelLeftBorder", {0, 5, 5, 421}},
        {"PanelTopBorder", {0, 0, 292, 5}},       {"PanelBottomBorder", {0, 421, 292, 426}},
        {"MemoHelpD", {16, 32, 275, 137}},        {"StaticTextTitle", {16, 8, 273, 41}},
        {"MemoHelpUS", {16, 32, 275, 137}},       {"HotSpeedButtonOK", {16, 381, 52, 417}},
        {"HotSpeedButtonUndo", {56, 381, 92, 417}}, {"HotSpeedButtonInfo", {200, 381, 236, 417}},
        {"HotSpeedButtonRegistry", {240, 381, 276, 417}}, {"T288_Edit", {22, 179, 247, 198}},
        {"SpeedButton6", {250, 177, 273, 199}},   {"CheckBox1", {24, 216, 270, 233}},
    };
    for (const Placement& p : expected) {
        auto* control = dynamic_cast<platform::Control*>(page->FindComponent(p.name));
        ASSERT_NE(nullptr, control) << p.name;
        RECT r = BoundsInParent(control->Handle());
        EXPECT_EQ(p.bounds.left, r.left) << p.name;
        EXPECT_EQ(p.bounds.top, r.top) << p.name;
        EXPECT_EQ(p.bounds.right, r.right) << p.name;
        EXPECT_EQ(p.bounds.bottom, r.bottom) << p.name;
    }
    RECT label = BoundsInParent(page->T288_Label_BackupDir->Handle());
    EXPECT_EQ(20, label.left);
    EXPECT_EQ(154, label.top);
}

TEST_F(TemplateTest, WindowFontsAndStylesFollowTheDescription) {
    wendrik::OsCode = kXpCode, wendrik::ValidOsMask = kXpMask;
    Construct();
    LONG style = GetWindowLongA(page->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ("Registry komplett exportieren", WindowText(page->Handle()));

    LOGFONTA memo = FontOf(page->MemoHelpD->Handle());
    EXPECT_STREQ("Tahoma", memo.lfFaceName);
    EXPECT_EQ(-11, memo.lfHeight);
    LOGFONTA title = FontOf(page->StaticTextTitle->Handle());
    EXPECT_EQ(-12, title.lfHeight);
    EXPECT_EQ(FW_BOLD, title.lfWeight);

    for (auto* memoControl : {page->MemoHelpD, page->MemoHelpUS}) {
        LONG s = GetWindowLongA(memoControl->Handle(), GWL_STYLE);
        EXPECT_TRUE(s & ES_READONLY);
        EXPECT_TRUE(s & WS_VSCROLL);
        EXPECT_FALSE(s & WS_TABSTOP);
    }
    EXPECT_TRUE(GetWindowLongA(page->MemoHelpD->Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongA(page->MemoHelpUS->Handle(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(TemplateTest, FrameAndMemoShowTheirColours) {
    CreatePage();
    page = wendrik::ModulePage;
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(RGB(140, 170, 230), PixelOf(page->PanelTopBorder->Handle(), 2, 2));
    EXPECT_EQ(RGB(140, 170, 230), PixelOf(page->PanelLeftBorder->Handle(), 2, 100));
    RECT memo;
    GetClientRect(page->MemoHelpD->Handle(), &memo);
    EXPECT_EQ(RGB(237, 242, 252), PixelOf(page->MemoHelpD->Handle(), memo.right - 3, memo.bottom - 3));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(page->Handle(), 150, 300));
    RECT edit;
    GetClientRect(page->T288_Edit->Handle(), &edit);
    EXPECT_EQ(RGB(237, 242, 252), PixelOf(page->T288_Edit->Handle(), edit.right - 2, edit.bottom - 2));
    // The title's letters are drawn in its own blue.
    PixelOf(page->StaticTextTitle->Handle(), 0, 0);
    std::vector<DWORD> title = ClientPixels(page->StaticTextTitle->Handle());
    size_t blue = std::count(title.begin(), title.end(), DWORD{0x0148B2});
    EXPECT_GT(blue, 20u);
}

TEST_F(TemplateTest, BordersAreFlatOnePixelLines) {
    CreatePage();
    page = wendrik::ModulePage;
    page->Sprache(0);
    for (platform::Control* c : std::initializer_list<platform::Control*>{page->T288_Edit, page->MemoHelpD}) {
        EXPECT_FALSE(GetWindowLongA(c->Handle(), GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) << c->Name();
        // As drawn: one line of the frame colour, then the control's own colour at once.
        desktop::Pixels shown = desktop::CaptureWindow(c->Handle());
        int y = shown.height / 2;
        EXPECT_EQ(ColorOf(GetSysColor(COLOR_WINDOWFRAME)), shown.At(0, y)) << c->Name();
        EXPECT_EQ(0xEDF2FCu, shown.At(1, y)) << c->Name();
        EXPECT_EQ(0xEDF2FCu, shown.At(shown.width / 3, 1)) << c->Name();
    }
}

// A window the system refuses to make: the host learns nothing, as from any failure.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(TemplateTest, ModulCreateAnswersZeroWhenThePageCannotBeMade) {
    int windows = ThreadWindowCount();
    long owned = platform::Control::LiveWindows();
    HHOOK refuse = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, refuse);
    int result = ModulCreate(10, 10, 298, 455, kXpCode, 0, "no page", "", kXpMask, kTipHelpId);
    UnhookWindowsHookEx(refuse);
    EXPECT_EQ(0, result);
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_EQ(windows, ThreadWindowCount());
    EXPECT_EQ(owned, platform::Control::LiveWindows());
    EXPECT_EQ(0, ModulCreate(10, 10, 298, 455, kXpCode, 0, "a page", "", kXpMask, kTipHelpId));
    EXPECT_NE(nullptr, wendrik::ModulePage);  // and the next one works
}

TEST_F(TemplateTest, TheTitleHidesNoLineOfEitherMemo) {
    for (int language : {0, 1}) {
        CreatePage(kXpCode, language);
        page = wendrik::ModulePage;
        auto* shown = language == 1 ? page->MemoHelpUS : page->MemoHelpD;
        for (int y : {33, 36, 40})
            EXPECT_EQ(shown->Handle(), ChildWindowFromPointEx(page->Handle(), POINT{100, y},
                                                              CWP_SKIPINVISIBLE))
                << "language " << language << ", y " << y;
        EXPECT_EQ(page->StaticTextTitle->Handle(),
                  ChildWindowFromPointEx(page->Handle(), POINT{100, 20}, CWP_SKIPINVISIBLE));
        ModulFree();
    }
}

TEST_F(TemplateTest, TabOrderRunsThroughTheDescriptionsOrder) {
    wendrik::OsCode = kXpCode, wendrik::ValidOsMask = kXpMask;
    Construct();
    // Stacked in tab order; the title, whose box overlaps the memos, beneath them all.
    const char* order[] = {"PanelRightBorder", "PanelLeftBorder", "T288_Edit",
                           "CheckBox1",        "MemoHelpD",       "MemoHelpUS",
                           "PanelTopBorder",   "PanelBottomBorder"};
    HWND w = GetWindow(page->Handle(), GW_CHILD);
    for (const char* name : order) {
        ASSERT_NE(nullptr, w);
        EXPECT_EQ(dynamic_cast<platform::Control*>(page->FindComponent(name))->Handle(), w) << name;
        w = GetWindow(w, GW_HWNDNEXT);
    }
    EXPECT_EQ(page->StaticTextTitle->Handle(), GetWindow(w, GW_HWNDLAST));
    HWND edit = page->T288_Edit->Handle();
    HWND next = GetNextDlgTabItem(page->Handle(), edit, FALSE);
    EXPECT_EQ(page->CheckBox1->Handle(), next);
    EXPECT_EQ(edit, GetNextDlgTabItem(page->Handle(), next, FALSE));
}

// OsCode, mask, BSControl (-1 missing), expected OsBit, expected PageEnabled
using Gate = std::tuple<int, int, int, int, int>;
class OsGateTest : public TemplateTest, public ::testing::WithParamInterface<Gate> {};

TEST_P(OsGateTest, DecidesWhetherThePageIsUsable) {
    auto [os, mask, bs, bit, enabled] = GetParam();
    if (bs >= 0) bsControl.SetDword(static_cast<DWORD>(bs));
    CreatePage(os, 0, mask);
    page = wendrik::ModulePage;
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(bit, wendrik::OsBit);
    EXPECT_EQ(enabled, wendrik::PageEnabled);
    for (platform::Control* c : std::initializer_list<platform::Control*>{
             page->HotSpeedButtonOK, page->HotSpeedButtonUndo, page->T288_Edit,
             page->SpeedButton6, page->CheckBox1, page->PanelTopBorder})
        EXPECT_EQ(enabled == 1, IsWindowEnabled(c->Handle()) != 0) << c->Name();
    for (platform::Control* c : std::initializer_list<platform::Control*>{
             page->StaticTextTitle, page->MemoHelpD, page->MemoHelpUS, page->HotSpeedButtonInfo,
             page->HotSpeedButtonRegistry})
        EXPECT_TRUE(IsWindowEnabled(c->Handle())) << c->Name();
    EXPECT_EQ(enabled == 1, !page->ExportFileName().empty());
    EXPECT_EQ(enabled == 1, !page->T288_Edit->Text().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OsGateTest,
    ::testing::Values(Gate{3, 4, -1, 4, 1}, Gate{3, 3, -1, 4, 0}, Gate{0, -1, -1, 0, 0},
                      Gate{19, -1, -1, 0, 0}, Gate{-1, -1, -1, 0, 0}, Gate{13, 4096, -1, 4096, 1},
                      Gate{18, 131072, -1, 131072, 1}, Gate{13, 0, -1, 4096, 0},
                      Gate{13, 0, 0, 4096, 1}, Gate{0, 0, 0, 0, 1}, Gate{13, 0, 7, 4096, 0},
                      Gate{1, 1, 1, 1, 1}));

TEST_F(TemplateTest, ABsControlOfTheWrongTypeIsReportedAndEndsCreation) {
    bsControl.SetString("yes");
    std::vector<std::string> reports;
    platform::SetErrorReporter([&](const std::string& text) { reports.push_back(text); });
    wendrik::OsBit = 12345;
    wendrik::OsCode = kXpCode, wendrik::ValidOsMask = kXpMask;
    Construct();
    ASSERT_EQ(1u, reports.size());
    EXPECT_NE(std::string::npos, reports[0].find("BSControl"));
    EXPECT_EQ(12345, wendrik::OsBit);  // creation stopped before the gate
    EXPECT_EQ("", WindowText(page->StaticTextTitle->Handle()));
    EXPECT_EQ("", page->T288_Edit->Text());
    EXPECT_NE(nullptr, page->Handle());
}

TEST_F(TemplateTest, ShowingFetchesBothHelpTextsWhateverTheLanguage) {
    for (int language : {0, 1}) {
        CreatePage(kXpCode, language);
        page = wendrik::ModulePage;
        ASSERT_NE(nullptr, page);
        EXPECT_EQ(0u, WindowText(page->MemoHelpD->Handle()).find("Mit diesem Tipp"));
        EXPECT_EQ(0u, WindowText(page->MemoHelpUS->Handle()).find("This tip exports"));
        EXPECT_EQ(4u, page->MemoHelpD->Lines().size());
        EXPECT_EQ(1u, wendrik::PageShown);
        ModulFree();
    }
    CreatePage(kXpCode, 0, kXpMask, 4711);
    page = wendrik::ModulePage;
    EXPECT_EQ("", WindowText(page->MemoHelpD->Handle()));
    EXPECT_EQ("", WindowText(page->MemoHelpUS->Handle()));
}

TEST_F(TemplateTest, TheHostsCaptionBecomesTheTitle) {
    CreatePage(kXpCode, 0, kXpMask, kTipHelpId, "Sicherung");
    page = wendrik::ModulePage;
    EXPECT_EQ("Sicherung", WindowText(page->Handle()));
    EXPECT_EQ("Sicherung", WindowText(page->StaticTextTitle->Handle()));
}

TEST_F(TemplateTest, SpracheSwitchesTextsAndMemos) {
    CreatePage(kXpCode, 1);
    page = wendrik::ModulePage;
    EXPECT_EQ("Restore defaults", TooltipText(page->Handle(), page->HotSpeedButtonUndo->Handle()));
    EXPECT_EQ("Changes will be saved immediately", TooltipText(page->Handle(), page->HotSpeedButtonOK->Handle()));
    EXPECT_EQ("Registry Lookup", TooltipText(page->Handle(), page->HotSpeedButtonRegistry->Handle()));
    EXPECT_EQ("Valid to ...", TooltipText(page->Handle(), page->HotSpeedButtonInfo->Handle()));
    EXPECT_EQ("Change Window", page->Fensterwechseln1->Caption());
    EXPECT_EQ("Start REGEDIT.EXE /e", WindowText(page->CheckBox1->Handle()));
    EXPECT_EQ("Backup Directory:", WindowText(page->T288_Label_BackupDir->Handle()));
    EXPECT_TRUE(IsWindowVisible(page->MemoHelpUS->Handle()));
    EXPECT_FALSE(IsWindowVisible(page->MemoHelpD->Handle()));
    EXPECT_EQ("Backup Verzeichnis auswählen", TooltipText(page->Handle(), page->SpeedButton6->Handle()));

    for (int german : {0, 2, -1}) {
        page->Sprache(german);
        EXPECT_EQ(german, wendrik::LanguageCode);
        EXPECT_EQ("Setzt alles wieder auf die Standartwerte", TooltipText(page->Handle(), page->HotSpeedButtonUndo->Handle()));
        EXPECT_EQ("Änderungen werden gespeichert", TooltipText(page->Handle(), page->HotSpeedButtonOK->Handle()));
        EXPECT_EQ("Wert in der Registry nachschlagen", TooltipText(page->Handle(), page->HotSpeedButtonRegistry->Handle()));
        EXPECT_EQ("Gültig für ... ", TooltipText(page->Handle(), page->HotSpeedButtonInfo->Handle()));
        EXPECT_EQ("Fenster wechseln", page->Fensterwechseln1->Caption());
        EXPECT_EQ("REGEDIT.EXE /e starten", WindowText(page->CheckBox1->Handle()));
        EXPECT_EQ("Backup Verzeichnis:", WindowText(page->T288_Label_BackupDir->Handle()));
        EXPECT_TRUE(IsWindowVisible(page->MemoHelpD->Handle()));
        EXPECT_FALSE(IsWindowVisible(page->MemoHelpUS->Handle()));
    }
    // The German texts reach Windows in code page 1252.
    EXPECT_EQ('\xC4', page->HotSpeedButtonOK->Hint()[0]);
}

TEST_F(TemplateTest, ApplyBroadcastsWhetherDefaultsWereRequested) {
    BroadcastCatcher catcher(wendrik::HostMessage);
    BoxAnswerer boxes;
    std::string folder = FreshFolder("wendrik-template-apply");
    RegistryValue backup(kHostKey, "BackupPath");
    backup.SetString(folder);
    CreatePage();
    page = wendrik::ModulePage;
    EXPECT_EQ(2, ModulNr());
    Click(page->HotSpeedButtonOK->Handle());
    ASSERT_EQ(1u, catcher.Received().size());
    EXPECT_EQ(std::make_pair(WPARAM(9999), LPARAM(2)), catcher.Received()[0]);
    EXPECT_EQ(1, wendrik::SavedFlag);

    Click(page->HotSpeedButtonUndo->Handle());
    EXPECT_EQ(1, wendrik::DefaultsRequested);
    EXPECT_EQ(1, ModulNr());
    EXPECT_EQ(1u, catcher.Received().size());  // restore defaults sends nothing
    Click(page->HotSpeedButtonOK->Handle());
    Click(page->HotSpeedButtonOK->Handle());
    ASSERT_EQ(3u, catcher.Received().size());
    EXPECT_EQ(LPARAM(1), catcher.Received()[1].second);
    EXPECT_EQ(LPARAM(1), catcher.Received()[2].second);
    EXPECT_EQ(1, wendrik::SavedFlag);
    EXPECT_EQ(3u, boxes.Texts().size());
}

}  // namespace
